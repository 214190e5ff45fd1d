#!/usr/bin/env bash
# The runtime double's own check under Wine: velmoran.exe with the double
# beside it and the stand-in web server running, on a scenario that posts an
# imgSave capture. It checks the transcript (first address, reply script,
# clean shutdown) and the capture files in the prefix.
#
#   scripts/wine-session.sh -- runtime/double/wine-check.sh [BUILD] [SCENARIO]
#
# BUILD is a windows-x86 build with the targets velmoran, velmoran_runtime_double
# and velmoran_standin_httpd (default build/windows-x86); SCENARIO defaults to
# samples/demo-scenario.txt. Runs in the prefix of $WINEPREFIX, which it changes.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$(realpath "${1:-build/windows-x86}")"
scenario="$(realpath "${2:-samples/demo-scenario.txt}")"
: "${WINEPREFIX:?run inside scripts/wine-session.sh or set WINEPREFIX}"
drive_c="$WINEPREFIX/drive_c"
work="$(mktemp -d)"
transcript="$work/transcript.txt"
trap 'rm -rf "$work"' EXIT

fail() { echo "wine-check: $*" >&2; [ -f "$transcript" ] && sed 's/^/  | /' "$transcript" >&2; exit 1; }

mkdir -p "$drive_c/velmoran" "$drive_c/xampp/apache/bin"
cp "$build/app/velmoran.exe" "$build/runtime/double/win32/WebView2Loader.dll" "$drive_c/velmoran/"
cp "$build/tools/standin-httpd/httpd.exe" "$drive_c/xampp/apache/bin/"
rm -rf "$drive_c/velmoran_pose"
wine reg add 'HKLM\SOFTWARE\Microsoft\EdgeUpdate\Clients\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}' \
  /v pv /t REG_SZ /d 135.0.3179.45 /f >/dev/null 2>&1

httpd='C:\xampp\apache\bin\httpd.exe'
running() { wine "$httpd" --running >/dev/null 2>&1; }
# Already running, so the shell opens the page's index directly.
wine "$httpd" &
for _ in $(seq 50); do running && break; sleep 0.2; done
running || fail "the stand-in web server did not start"

VELMORAN_RUNTIME_SCENARIO="$scenario" VELMORAN_RUNTIME_TRANSCRIPT="$transcript" \
  wine 'C:\velmoran\velmoran.exe' &
shell=$!
for _ in $(seq 300); do
  grep -q '^script	img_send_all_' "$transcript" 2>/dev/null && break
  sleep 0.2
done
# Without /f taskkill closes the main window, as a user would.
wine taskkill /im velmoran.exe >/dev/null 2>&1 || true
for _ in $(seq 100); do kill -0 "$shell" 2>/dev/null || break; sleep 0.2; done
kill -0 "$shell" 2>/dev/null && fail "velmoran.exe did not end after its window was closed"
running || fail "the stand-in web server ended with the shell"
wine "$httpd" --stop
for _ in $(seq 50); do running || break; sleep 0.2; done
running && fail "the stand-in web server did not end on --stop"

expect() { grep -qxF -- "$1" "$transcript" || fail "no transcript line: $1"; }
tab=$'\t'
expect "navigate${tab}http://localhost/www/corvale2/index.html"
expect "script${tab}img_send_indx_done(1,1)"
expect "close${tab}0"
expect "unload${tab}0"
grep -q "^environment${tab}C:\\\\velmoran\\\\CustomCache${tab}--disable-features=msEdgeRose --remote-debugging-port=9999 --remote-allow-origins=\\*\$" \
  "$transcript" || fail "no environment line with the shell's folder and switches"
grep -q '^scenario-error' "$transcript" && fail "the scenario has errors"
capture="$drive_c/velmoran_pose/A01/2026-04-28"
for file in 1.png 1.json user.txt; do
  [ -s "$capture/$file" ] || fail "no capture file C:\\velmoran_pose\\A01\\2026-04-28\\$file"
done
echo "wine-check: passed"
sed 's/^/  | /' "$transcript" | cut -c1-160
