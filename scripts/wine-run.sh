#!/usr/bin/env bash
# Runs one Windows program under Wine for CTest (the cross build's emulator).
#
# Wine may leave helper processes behind a program (a headless console host
# for a console child, the device services of a fresh wineserver) that inherit
# its standard output. CTest reads a test's output until every writer has
# closed it, so a lingering helper would hold the test open for ever. The
# program's output therefore goes to a file, which is printed once it ends.
set -uo pipefail
output="$(mktemp "${TMPDIR:-/tmp}/velmoran-wine-run.XXXXXX")"
trap 'rm -f "$output"' EXIT
wine "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
exit $status
