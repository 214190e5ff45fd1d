#!/usr/bin/env bash
# Runs every test: the native build on the simulated platform, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the 32-bit Windows
# build with its test programs under Wine (the platform contract against the
# real system, and velmoran.exe's whole road), in one fresh Wine session.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --workflow --preset native
# The demo page's message shapes (www/corvale2/js/messages.js), and the
# outside driver of the page (tools/remote-page/).
node --test tests/www/ tests/remote-page/
cmake --workflow --preset sanitize
cmake --workflow --preset windows-x86
scripts/wine-session.sh -- ctest --preset windows-x86
