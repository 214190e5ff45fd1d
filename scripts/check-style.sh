#!/usr/bin/env bash
# Checks the C++ sources' formatting (clang-format, .clang-format) and runs
# clang-tidy (.clang-tidy) over the native build's translation units and over
# the Windows-only ones, as the mingw-w64 cross builds compile them.
#   scripts/check-style.sh           all of it (clang-tidy in build/tidy*, configured only)
#   scripts/check-style.sh --format  formatting only (fast)
#   scripts/check-style.sh --windows clang-tidy over the Windows-only sources only
#   scripts/check-style.sh --fix-format  rewrites the files clang-format would change
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-all}
mapfile -t sources < <(git ls-files '*.h' '*.cpp')
if [ "$mode" = --fix-format ]; then
  clang-format -i "${sources[@]}"
  exit 0
fi
if [ "$mode" != --windows ]; then
  clang-format --dry-run -Werror "${sources[@]}"
  echo "clang-format: ${#sources[@]} files clean"
fi
[ "$mode" = --format ] && exit 0

# clang-tidy over every unit of the compilation database in $1 (named $2 in
# what it prints); the findings, if any, and a failure.
tidy() {
  local database=$1 name=$2
  if ! run-clang-tidy -quiet -p "$database" -j "$(nproc)" >"$database/clang-tidy.log" 2>&1; then
    grep -E 'warning:|error:' "$database/clang-tidy.log" | sed 's/\x1b\[[0-9;]*m//g' | sort -u
    echo "clang-tidy ($name): findings above (whole log: $database/clang-tidy.log)"
    return 1
  fi
  echo "clang-tidy ($name): $(grep -c '"file"' "$database/compile_commands.json") translation units clean"
}

# Trees of their own, configured only, without unity files (each source is
# checked as itself) and without the precompiled header, which clang-tidy
# cannot read.
configure() {
  cmake --preset "$1" -B "$2" -DVELMORAN_TEST_PCH=OFF -DVELMORAN_UNITY=OFF -DVELMORAN_TEST_UNITY=OFF >/dev/null
}
failed=0
# Every source of the native tree (the product, the tools, the tests), one by
# one; the generated declarations are checked as headers.
configure native build/tidy
if [ "$mode" != --windows ]; then
  tidy build/tidy native || failed=1
fi
# The sources only the Windows builds compile (the win32 folders, WinMain,
# the Windows test programs and tools) and those with code of their own under
# a Windows conditional, on the cross compilers' targets and headers
# (scripts/windows-tidy-database.py). Both architectures: sizes differ between
# them (size_t is as wide as DWORD on x86, twice as wide on x64), and so do the
# widening and narrowing the checks see, besides the code that only one of
# them compiles.
for arch in x64 x86; do
  configure "windows-$arch" "build/tidy-windows-$arch"
  python3 scripts/windows-tidy-database.py build/tidy/compile_commands.json \
    "build/tidy-windows-$arch/compile_commands.json" "build/tidy-windows-$arch/windows-only" >/dev/null
  tidy "build/tidy-windows-$arch/windows-only" "Windows $arch" || failed=1
done
exit "$failed"
