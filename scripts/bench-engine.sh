#!/usr/bin/env bash
# The engine benchmark: one capture of about 2 MB from the page's postMessage
# to the file on disk through velmoran.exe with its real engine under Wine,
# against the bare transfer of the same text through the protocol, measured
# in the same run (bench/engine/EngineBench.cpp says what each benchmark times).
#
#   scripts/bench-engine.sh [--windows-build DIR] [--bench-build DIR] [BENCHMARK OPTIONS...]
#
# 1. Builds what is missing: velmoran.exe, the Chromium runtime and httpd.exe in
#    a Windows build (default build/windows-x86, or build/windows-x64 where
#    this machine runs no 32-bit programs), velmoran-engine-bench in
#    a bench build (default build/bench); the page's pose model into www/vendor/.
# 2. In a network namespace, a fresh Wine prefix and an Xvfb of its own (as the
#    engine test has them; root, for Apache's port 80): installs the shell,
#    starts it (it starts Apache, its runtime starts Chromium), and runs the
#    benchmark against it.
# 3. Closes the window and httpd.exe and makes sure no Chromium or Apache
#    process of the run is left; Wine and Xvfb end with the session.
#
# Benchmark options default to --benchmark_repetitions=10
# --benchmark_report_aggregates_only=true --benchmark_enable_random_interleaving=true
# (the repetitions of the benchmarks take turns, so a busy spell of the
# machine falls on all of them alike); --with_camera leaves the page's camera
# preview and pose overlay running. The runtime's trace goes to
# $VELMORAN_ARTIFACTS (default build/artifacts) as engine-bench-chromium-trace.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${VELMORAN_BENCH_ENGINE_INNER:-}" = 1 ]; then
  windows_build="$1" bench="$2"
  shift 2
  : "${WINEPREFIX:?}"
  drive_c="$WINEPREFIX/drive_c"
  work="$(mktemp -d)"
  source scripts/shell-lifecycle.sh
  shell_run_environment "engine-bench-$$" "$work"
  # The page starts its camera preview as it loads; the benchmark stops it unless told otherwise.
  export VELMORAN_FAKE_CAMERA=1
  status=0
  finish() {
    shell_close
    shell_end_run || status=1
    [ $status -eq 0 ] || echo "bench-engine: the run did not end cleanly" >&2
    cp "$VELMORAN_CHROMIUM_TRACE" "$VELMORAN_ARTIFACTS/engine-bench-chromium-trace.txt" 2>/dev/null || true
    rm -rf "$work"
    exit $status
  }
  trap finish EXIT
  trap 'status=130; exit 130' INT TERM

  scripts/install-shell.sh "$windows_build" velmoran
  shell_start
  "$bench" --capture_root="$drive_c/velmoran_pose" --shell_folder="$drive_c/velmoran" "$@" || status=$?
  exit $status
fi

windows_arches="$(scripts/windows-arch.sh)"
windows_arch="${windows_arches%% *}"
windows_build="build/windows-$windows_arch"
bench_build=build/bench
while [ $# -gt 0 ]; do
  case "$1" in
    --windows-build) windows_build="${2:?--windows-build needs a folder}"; shift 2 ;;
    --bench-build) bench_build="${2:?--bench-build needs a folder}"; shift 2 ;;
    -h | --help) sed -n '2,/^set -euo/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0 ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || set -- --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
  --benchmark_enable_random_interleaving=true
if [ "$(id -u)" -ne 0 ]; then
  echo "bench-engine: needs root (Apache's port 80 in a network namespace of its own)" >&2
  exit 1
fi

bash scripts/bootstrap-debian.sh
[ -f "$windows_build/CMakeCache.txt" ] || cmake --preset "windows-$windows_arch" -B "$windows_build" >/dev/null
cmake --build "$windows_build" --target velmoran velmoran_runtime_chromium velmoran_apache_httpd
[ -f "$bench_build/CMakeCache.txt" ] || cmake --preset bench -B "$bench_build" >/dev/null
cmake --build "$bench_build" --target velmoran-engine-bench
if [ ! -f www/vendor/pose/pose.js ]; then
  scripts/prepare-www.sh || echo "bench-engine: no pose model; the page runs without pose detection" >&2
fi

windows_build="$(realpath "$windows_build")"
export VELMORAN_BENCH_ENGINE_INNER=1 VELMORAN_WINE_ROOT="$windows_build/engine-bench-wine"
exec scripts/own-network.sh scripts/wine-session.sh --arch-of "$windows_build" -- "$0" "$windows_build" \
  "$(realpath "$bench_build")/bench/engine/velmoran-engine-bench" "$@"
