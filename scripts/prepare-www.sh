#!/usr/bin/env bash
# Installs the demo page's third-party files into www/vendor/ (ignored by git),
# where Apache serves them, so the page fetches nothing from outside at run
# time: the pose model @mediapipe/pose (WebAssembly, models, loader scripts),
# at the version pinned in tools/www-vendor/package-lock.json.
#
#   scripts/prepare-www.sh
#
# Needs npm and the npm registry; the download goes through build/www-vendor.
set -euo pipefail
cd "$(dirname "$0")/.."
work=build/www-vendor
mkdir -p "$work"
cp tools/www-vendor/package.json tools/www-vendor/package-lock.json "$work/"
(cd "$work" && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error)
rm -rf www/vendor/pose
mkdir -p www/vendor/pose
cp -R "$work/node_modules/@mediapipe/pose/." www/vendor/pose/
# Apache's workers run as another user: everything must be world-readable.
chmod -R a+rX www/vendor
echo "prepare-www: www/vendor/pose/ holds @mediapipe/pose $(node -p "require('./$work/node_modules/@mediapipe/pose/package.json').version")"
