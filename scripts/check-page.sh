#!/usr/bin/env bash
# Checks the demo page end to end, natively: Debian's Apache serves www/, the
# page runs in headless Chromium with the fake camera, and what it posts goes
# through the shell's real page bridge (velmoran-replay) whose reply scripts
# run back in the page (tools/page-check/drive-page.mjs).
#
#   scripts/check-page.sh [NATIVE_BUILD]     default build/native
#
# Starts Apache for the run unless the page already answers, and stops only
# the one it started. Results, screenshots included, land in build/page-check/.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/native}"
url=http://localhost/www/corvale2/index.html
out=build/page-check

[ -f www/vendor/pose/pose.js ] || scripts/prepare-www.sh
if [ ! -f "$build/CMakeCache.txt" ]; then cmake --preset native -B "$build" >/dev/null; fi
cmake --build "$build" --target velmoran-replay >/dev/null

apache_pid=
cleanup() {
  if [ -n "$apache_pid" ]; then
    kill -TERM "$apache_pid" 2>/dev/null || true
    wait "$apache_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT
answers() { [ "$(curl -s -o /dev/null -w '%{http_code}' "$url")" = 200 ]; }
if ! answers; then
  scripts/run-apache.sh &
  apache_pid=$!
  for _ in $(seq 50); do answers && break; sleep 0.2; done
  answers || { echo "check-page: Apache does not serve $url" >&2; exit 1; }
fi

rm -rf "$out"
mkdir -p "$out/drive-c"
node tools/page-check/drive-page.mjs --url "$url" --replay "$build/tools/velmoran-replay" \
  --drive-c "$out/drive-c" --out "$out"
