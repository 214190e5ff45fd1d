#!/usr/bin/env bash
# Checks the C++ sources' formatting (clang-format, .clang-format) and runs
# clang-tidy (.clang-tidy) over the native build's translation units.
#   scripts/check-style.sh           both; clang-tidy needs build/native configured
#   scripts/check-style.sh --format  formatting only (fast)
#   scripts/check-style.sh --fix-format  rewrites the files clang-format would change
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-all}
mapfile -t sources < <(git ls-files '*.h' '*.cpp')
if [ "$mode" = --fix-format ]; then
  clang-format -i "${sources[@]}"
  exit 0
fi
clang-format --dry-run -Werror "${sources[@]}"
echo "clang-format: ${#sources[@]} files clean"
[ "$mode" = --format ] && exit 0
# The native tree's compile commands name every translation unit the tests
# build; tidy the project's own (not the generated declarations, which the
# generator owns, nor build outputs).
[ -f build/native/compile_commands.json ] || cmake --preset native >/dev/null
mapfile -t units < <(git ls-files '*.cpp' | grep -v -e '/win32/' -e '^tests/wine/' -e '^fuzz/' -e '^bench/')
run-clang-tidy -quiet -p build/native -j "$(nproc)" "${units[@]/#/$PWD/}" >build/native/clang-tidy.log 2>&1 || {
  grep -E 'warning:|error:' build/native/clang-tidy.log | sort -u
  echo "clang-tidy: findings above (whole log: build/native/clang-tidy.log)"
  exit 1
}
echo "clang-tidy: ${#units[@]} translation units clean"
