#!/usr/bin/env bash
# The browser control's end-to-end tests on the real engine: the test program
# webview_engine_family_tests.exe hosts the control with the project's own
# WebView2Loader.dll beside it, so over Debian's Chromium, in a window of its
# own under Wine, and its pages come from Debian's Apache serving
# tests/engine/family/www/ at http://localhost/www/. This script starts that
# Apache itself, installs the program and the runtime into a fresh prefix as
# scripts/install-shell.sh does for the shell, runs the program, and stops
# everything it started: no Apache or Chromium process of the run outlives it.
#
#   tests/engine/family-check.sh [BUILD [GTEST-ARGS...]]   BUILD: a Windows build (default: scripts/windows-arch.sh --build)
#
# BUILD needs the targets webview_engine_family_tests and velmoran_runtime_chromium.
# Needs root: Apache binds port 80, and the check runs in a network namespace
# and a Wine session of its own (its own loopback, prefix and Xvfb), so port
# 80 and the display are its alone. Without root it is skipped (77).
set -euo pipefail
cd "$(dirname "$0")/../.."
repo="$(pwd)"
build="$(realpath "${1:-$(scripts/windows-arch.sh --build)}")"
[ $# -gt 0 ] && shift
program="$build/tests/engine/family/webview_engine_family_tests.exe"
runtime="$build/runtime/chromium/win32/bin/WebView2Loader.dll"

if [ "${VELMORAN_ENGINE_FAMILY_INNER:-}" != 1 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "engine-family: skipped, needs root (port 80 and a network namespace of its own)"
    exit 77
  fi
  for file in "$program" "$runtime"; do
    [ -f "$file" ] || { echo "engine-family: $file is missing; build it first" >&2; exit 1; }
  done
  export VELMORAN_ENGINE_FAMILY_INNER=1 VELMORAN_WINE_ROOT="$build/engine-family-wine"
  exec scripts/own-network.sh scripts/wine-session.sh --arch-of "$build" -- "$0" "$build" "$@"
fi

: "${WINEPREFIX:?}"
drive_c="$WINEPREFIX/drive_c"
www="$repo/tests/engine/family/www"
config="$repo/tools/apache/velmoran-httpd.conf"
runtime_key='HKLM\SOFTWARE\Microsoft\EdgeUpdate\Clients\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}'
work="$(mktemp -d)"
chmod 755 "$work"
export VELMORAN_RUN_ID="engine-family-$$"
export VELMORAN_CHROMIUM_TRACE="$work/chromium-trace.txt"
export VELMORAN_FAMILY_BASE_URL="http://localhost/www/"
apache_pid=

say() { echo "engine-family: $*"; }
ours() { scripts/run-processes.sh "$VELMORAN_RUN_ID" "$WINEPREFIX" || true; }
cleanup() {
  if [ -n "$apache_pid" ]; then
    kill -TERM "$apache_pid" 2>/dev/null || true
    wait "$apache_pid" 2>/dev/null || true
  fi
  # Whatever of this run is still there (a Chromium the program could not
  # close): only processes carrying this run's id or living in its prefix.
  for _ in $(seq 50); do [ -z "$(ours)" ] && break; sleep 0.2; done
  ours | awk '{print $1}' | xargs -r kill -KILL 2>/dev/null || true
  cp "$VELMORAN_CHROMIUM_TRACE" "$VELMORAN_ARTIFACTS/engine-family-chromium-trace.txt" 2>/dev/null || true
  cp "$work/apache/error.log" "$VELMORAN_ARTIFACTS/engine-family-apache-error.log" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Any answer on port 80 before our Apache runs would make every check meaningless.
if curl -s -o /dev/null --max-time 2 http://127.0.0.1:80/; then
  echo "engine-family: another server already answers on port 80" >&2
  exit 1
fi
runuser -u www-data -- test -r "$www/index.html" ||
  { echo "engine-family: www-data cannot read $www/index.html; make the path readable" >&2; exit 1; }
mkdir -p "$work/apache/run" "$work/apache/empty"
/usr/sbin/apache2 -DFOREGROUND -d "$work/apache" -f "$config" \
  -C "Define VELMORAN_WWW \"$www\"" -C "Define VELMORAN_STATE \"$work/apache\"" -C "Define VELMORAN_USER www-data" \
  </dev/null &
apache_pid=$!
served=0
for _ in $(seq 100); do
  if [ "$(curl -s -o /dev/null -w '%{http_code}' "${VELMORAN_FAMILY_BASE_URL}index.html")" = 200 ]; then
    served=1
    break
  fi
  kill -0 "$apache_pid" 2>/dev/null || break
  sleep 0.1
done
[ $served = 1 ] || { echo "engine-family: Apache does not serve ${VELMORAN_FAMILY_BASE_URL}index.html" >&2; exit 1; }
say "Apache (pid $apache_pid) serves $www at $VELMORAN_FAMILY_BASE_URL"

mkdir -p "$drive_c/family"
cp "$program" "$runtime" "$drive_c/family/"
wine reg add "$runtime_key" /v pv /t REG_SZ /d 135.0.3179.45 /reg:32 /f >/dev/null 2>&1 ||
  { echo "engine-family: cannot register the runtime in $WINEPREFIX" >&2; exit 1; }
# A crash ends the program with its backtrace on the output instead of a
# dialog nobody can close on this display.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true

status=0
wine 'C:\family\webview_engine_family_tests.exe' --gtest_color=no "$@" | tee "$work/output.txt" || status=$?
# A crash after the last test can still end the process with 0: only a run
# that reached GoogleTest's summary counts.
if [ $status = 0 ] && ! grep -q '^\[  PASSED  \]' "$work/output.txt"; then
  echo "engine-family: the program ended without its summary" >&2
  status=1
fi

# The program closed its browser: Chromium is to be gone with it.
for _ in $(seq 50); do ours | grep -q chromium || break; sleep 0.2; done
left="$(ours | grep chromium || true)"
if [ -n "$left" ]; then
  echo "engine-family: Chromium outlived the test program: $left" >&2
  [ $status = 0 ] && status=1
fi
[ $status = 0 ] && say "passed" || say "FAIL (exit $status)"
exit $status
