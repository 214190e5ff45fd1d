#!/usr/bin/env bash
# The runtime double's own check under Wine: velmoran.exe with the double
# beside it and the stand-in web server running, on a scenario that posts an
# imgSave capture. It checks the transcript (first address, reply script,
# clean shutdown) and the capture files in the prefix.
#
#   scripts/wine-session.sh -- runtime/double/wine-check.sh [BUILD] [SCENARIO]
#
# BUILD is a Windows build with the targets velmoran, velmoran_runtime_double
# and velmoran_standin_httpd (default build/windows-$VELMORAN_WINDOWS_ARCH, the session's); SCENARIO defaults to
# samples/demo-scenario.txt. It runs in the prefix of $WINEPREFIX and tidies up
# after itself for the other tests of the session: the server folder and the
# capture root are put back as they were, and the runtime's registry entry is
# removed again unless it was there before.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$(realpath "${1:-build/windows-${VELMORAN_WINDOWS_ARCH:-x86}}")"
scenario="$(realpath "${2:-samples/demo-scenario.txt}")"
: "${WINEPREFIX:?run inside scripts/wine-session.sh or set WINEPREFIX}"
drive_c="$WINEPREFIX/drive_c"
work="$(mktemp -d)"
transcript="$work/transcript.txt"
runtime_key='HKLM\SOFTWARE\Microsoft\EdgeUpdate\Clients\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}'
httpd='C:\xampp\apache\bin\httpd.exe'
shell=

running() { wine "$httpd" --running >/dev/null 2>&1; }

# What the prefix held before is moved aside and put back at the end.
put_aside=(velmoran-double-check xampp velmoran_pose)
had_runtime_key=0
if wine reg query "$runtime_key" /v pv >/dev/null 2>&1; then had_runtime_key=1; fi
for name in "${put_aside[@]}"; do
  if [ -e "$drive_c/$name" ]; then mv "$drive_c/$name" "$work/$name"; fi
done
restore() {
  if [ -n "$shell" ]; then kill "$shell" 2>/dev/null || true; fi
  if [ -e "$drive_c/xampp" ] && running; then wine "$httpd" --stop >/dev/null 2>&1 || true; fi
  for _ in $(seq 50); do [ -e "$drive_c/xampp" ] && running || break; sleep 0.2; done
  for name in "${put_aside[@]}"; do
    rm -rf "${drive_c:?}/$name"
    if [ -e "$work/$name" ]; then mv "$work/$name" "$drive_c/$name"; fi
  done
  if [ $had_runtime_key -eq 0 ]; then wine reg delete "$runtime_key" /f >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap restore EXIT

fail() {
  echo "wine-check: $*" >&2
  if [ -f "$transcript" ]; then sed 's/^/  | /' "$transcript" | cut -c1-200 >&2; fi
  exit 1
}

folder="$drive_c/velmoran-double-check"
mkdir -p "$folder" "$drive_c/xampp/apache/bin"
cp "$build/app/velmoran.exe" "$build/runtime/double/win32/WebView2Loader.dll" "$folder/"
cp "$build/tools/standin-httpd/httpd.exe" "$drive_c/xampp/apache/bin/"
wine reg add "$runtime_key" /v pv /t REG_SZ /d 135.0.3179.45 /f >/dev/null 2>&1

# Already running, so the shell opens the page's index directly.
wine "$httpd" &
for _ in $(seq 50); do running && break; sleep 0.2; done
running || fail "the stand-in web server did not start"

VELMORAN_RUNTIME_SCENARIO="$scenario" VELMORAN_RUNTIME_TRANSCRIPT="$transcript" \
  wine 'C:\velmoran-double-check\velmoran.exe' &
shell=$!
for _ in $(seq 300); do
  grep -q '^script	img_send_all_' "$transcript" 2>/dev/null && break
  sleep 0.2
done
# Without /f taskkill closes the main window, as a user would.
wine taskkill /im velmoran.exe >/dev/null 2>&1 || true
for _ in $(seq 100); do kill -0 "$shell" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$shell" 2>/dev/null; then fail "velmoran.exe did not end after its window was closed"; fi
shell=
running || fail "the stand-in web server ended with the shell"
wine "$httpd" --stop
for _ in $(seq 50); do running || break; sleep 0.2; done
if running; then fail "the stand-in web server did not end on --stop"; fi

expect() { grep -qxF -- "$1" "$transcript" || fail "no transcript line: $1"; }
tab=$'\t'
expect "environment${tab}C:\\velmoran-double-check\\CustomCache${tab}--disable-features=msEdgeRose --remote-debugging-port=9999 --remote-allow-origins=*"
expect "navigate${tab}http://localhost/www/corvale2/index.html"
expect "script${tab}img_send_indx_done(1,1)"
expect "close${tab}0"
expect "unload${tab}0"
if grep -q '^scenario-error' "$transcript"; then fail "the scenario has errors"; fi
capture="$drive_c/velmoran_pose/A01/2026-04-28"
for file in 1.png 1.json user.txt; do
  [ -s "$capture/$file" ] || fail "no capture file C:\\velmoran_pose\\A01\\2026-04-28\\$file"
done
echo "wine-check: passed"
grep -v 'subscribe' "$transcript" | sed 's/^/  | /' | cut -c1-160
