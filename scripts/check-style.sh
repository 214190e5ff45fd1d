#!/usr/bin/env bash
# Checks the C++ sources' formatting (clang-format, .clang-format) and runs
# clang-tidy (.clang-tidy) over the native build's translation units.
#   scripts/check-style.sh           both (clang-tidy in build/tidy, configured only)
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
# Every source of the native tree (the product, the tools, the tests), one by
# one; the generated declarations are checked as headers. A tree of its own,
# configured only, without unity files (each source is checked as itself) and
# without the precompiled header, which clang-tidy cannot read.
cmake --preset native -B build/tidy -DVELMORAN_TEST_PCH=OFF -DVELMORAN_UNITY=OFF -DVELMORAN_TEST_UNITY=OFF >/dev/null
units=$(grep -c '"file"' build/tidy/compile_commands.json)
if ! run-clang-tidy -quiet -p build/tidy -j "$(nproc)" >build/tidy/clang-tidy.log 2>&1; then
  grep -E 'warning:|error:' build/tidy/clang-tidy.log | sed 's/\x1b\[[0-9;]*m//g' | sort -u
  echo "clang-tidy: findings above (whole log: build/tidy/clang-tidy.log)"
  exit 1
fi
echo "clang-tidy: $units translation units clean"
