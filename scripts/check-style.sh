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
# Every translation unit of the native tree: the product's sources, the tools,
# and each test program as the one unity file it is compiled as (its sources
# are checked through it). The generated declarations are checked as headers.
[ -f build/native/compile_commands.json ] || cmake --preset native >/dev/null
units=$(grep -c '"file"' build/native/compile_commands.json)
if ! run-clang-tidy -quiet -p build/native -j "$(nproc)" >build/native/clang-tidy.log 2>&1; then
  grep -E 'warning:|error:' build/native/clang-tidy.log | sort -u
  echo "clang-tidy: findings above (whole log: build/native/clang-tidy.log)"
  exit 1
fi
echo "clang-tidy: $units translation units clean"
