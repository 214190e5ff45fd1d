#!/usr/bin/env bash
# Runs every test: the native build on the simulated platform, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer, then both Windows builds
# with their test programs under Wine (the platform contract against the real
# system, and velmoran.exe's whole road), each in one fresh Wine session.
#
# Both Windows builds are cross-built everywhere, so their compile-time checks
# always run; their programs run under Wine for each architecture this machine
# executes (scripts/windows-arch.sh; VELMORAN_WINDOWS_ARCH=x86 or x64 runs
# that one alone).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --workflow --preset native
# The demo page's message shapes (www/corvale2/js/messages.js), and the
# outside driver of the page (tools/remote-page/).
node --test tests/www/ tests/remote-page/
cmake --workflow --preset sanitize
cmake --workflow --preset windows-x86
cmake --workflow --preset windows-x64
arches="$(scripts/windows-arch.sh)"
scripts/windows-arch.sh --why
failed=()
for arch in $arches; do
  echo "== the $arch Windows suite under Wine"
  scripts/wine-session.sh --arch "$arch" -- ctest --preset "windows-$arch" || failed+=("$arch")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "The Windows suite failed for: ${failed[*]}" >&2
  exit 1
fi
