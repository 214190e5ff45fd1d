#!/usr/bin/env bash
# Proves under Wine that the shell's own launcher drives the real server
# unchanged: velmoran.exe (with the runtime double as its browser runtime)
# finds no "httpd.exe" in the process snapshot, starts C:\xampp\apache\bin\
# httpd.exe elevated with the verb "runas", waits its second and opens the
# folder address; Apache then serves the demo page. The server outlives the
# shell, as the launcher intends; a second start of the shell finds it
# running and opens index.html directly. Last, httpd.exe is killed and no
# Apache process may remain.
#
#   scripts/wine-session.sh -- tools/apache-httpd/wine-shell-check.sh [BUILD] [SCENARIO]
#
# BUILD is a Windows build with the targets velmoran, velmoran_runtime_double
# and velmoran_apache_httpd (default build/windows-$VELMORAN_WINDOWS_ARCH, the session's). SCENARIO is what the
# double's page posts (default samples/demo-scenario.txt; build/page-check/
# messages.jsonl from scripts/check-page.sh replays what the real page posted).
set -euo pipefail
cd "$(dirname "$0")/../.."
repo="$(pwd)"
build="$(realpath "${1:-build/windows-${VELMORAN_WINDOWS_ARCH:-x86}}")"
scenario="$(realpath "${2:-samples/demo-scenario.txt}")"
: "${WINEPREFIX:?run inside scripts/wine-session.sh or set WINEPREFIX}"
drive_c="$WINEPREFIX/drive_c"
config="$repo/tools/apache/velmoran-httpd.conf"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
  echo "wine-shell-check: $*" >&2
  for t in "$work"/transcript-*.txt; do [ -f "$t" ] && sed 's/^/  | /' "$t" | cut -c1-160 >&2; done
  wine taskkill /f /im httpd.exe >/dev/null 2>&1 || true
  exit 1
}
ours_running() { pgrep -f -- "-f $config" >/dev/null; }
httpd_listed() { wine winedbg --command "info process" 2>/dev/null | grep -qi "'httpd.exe'"; }
page_answers() { [ "$(curl -s -o /dev/null -w '%{http_code}' "$1")" = 200 ]; }

ours_running && fail "an Apache with this configuration is already running; stop it first"
# Any answer on port 80 before httpd.exe runs would make every check below meaningless.
curl -s -o /dev/null --max-time 2 http://127.0.0.1:80/ &&
  fail "another server already answers on port 80; stop it, or run this in a network namespace of its own"
mkdir -p "$drive_c/velmoran" "$drive_c/xampp/apache/bin"
cp "$build/app/velmoran.exe" "$build/runtime/double/win32/WebView2Loader.dll" "$drive_c/velmoran/"
cp "$build/tools/apache-httpd/httpd.exe" "$drive_c/xampp/apache/bin/"
rm -rf "$drive_c/velmoran_pose"
# The runtime's version, where the shell's runtime check looks for it.
wine reg add 'HKLM\SOFTWARE\Microsoft\EdgeUpdate\Clients\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}' \
  /v pv /t REG_SZ /d 135.0.3179.45 /f >/dev/null 2>&1

# run_shell N: runs velmoran.exe until its page has posted everything, then closes it.
run_shell() {
  local transcript="$work/transcript-$1.txt"
  VELMORAN_RUNTIME_SCENARIO="$scenario" VELMORAN_RUNTIME_TRANSCRIPT="$transcript" \
    wine 'C:\velmoran\velmoran.exe' &
  local shell=$!
  for _ in $(seq 300); do
    grep -q '^script	img_send_all_' "$transcript" 2>/dev/null && break
    sleep 0.2
  done
  wine taskkill /im velmoran.exe >/dev/null 2>&1 || true
  for _ in $(seq 100); do kill -0 "$shell" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$shell" 2>/dev/null && fail "velmoran.exe did not end after its window was closed"
  { grep '^navigate' "$transcript" 2>/dev/null || true; } | head -1 | cut -f2
}

first="$(run_shell 1)"
[ "$first" = "http://localhost/www/corvale2/" ] || fail "first start opened '$first', not the folder address"
httpd_listed || fail "the launcher's httpd.exe is not running"
page_answers "$first" || fail "the server the launcher started does not serve $first"
echo "wine-shell-check: the launcher started httpd.exe; Apache serves $first"
# The shell's log is in the ANSI code page (949 in the session).
start_failure="$(iconv -f CP949 -t UTF-8 "$drive_c/velmoran/errlog.txt" 2>/dev/null | grep 'Apache 실행 실패' || true)"
[ -z "$start_failure" ] || fail "the shell logged a failed start: $start_failure"

second="$(run_shell 2)"
[ "$second" = "http://localhost/www/corvale2/index.html" ] || fail "second start opened '$second', not index.html"
page_answers "$second" || fail "the page does not answer at $second"
echo "wine-shell-check: the shell's second start found httpd.exe running; Apache serves $second"

wine taskkill /f /im httpd.exe >/dev/null
for _ in $(seq 75); do ours_running || break; sleep 0.2; done
ours_running && fail "Apache outlived httpd.exe: $(pgrep -af -- "$config")"
echo "wine-shell-check: httpd.exe killed, no Apache process left"
ls "$drive_c/velmoran_pose"/*/* >/dev/null 2>&1 || fail "no capture folder under C:\\velmoran_pose"
find "$drive_c/velmoran_pose" -type f -printf '%P (%s bytes)\n' | sort | tr '/' '\\' |
  sed 's/^/wine-shell-check: stored C:\\velmoran_pose\\/'
echo "wine-shell-check: passed"
