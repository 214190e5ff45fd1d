#!/usr/bin/env bash
# Proves under Wine that httpd.exe serves the demo page through Debian's Apache
# and that no Apache process outlives it, however it ends:
#   killed        taskkill /f (TerminateProcess)
#   closed        taskkill without /f (WM_CLOSE to its hidden window)
#   apache-ends   Apache stopped from Linux: httpd.exe ends with it
#   session-ends  wineserver -k, every Windows process of the prefix at once
#
#   scripts/wine-session.sh -- tools/apache-httpd/wine-check.sh [BUILD]
#
# BUILD is a Windows build with the target velmoran_apache_httpd (default
# build/windows-$VELMORAN_WINDOWS_ARCH, the session's). Needs root for port 80. Changes the prefix of $WINEPREFIX.
set -euo pipefail
cd "$(dirname "$0")/../.."
repo="$(pwd)"
build="$(realpath "${1:-build/windows-${VELMORAN_WINDOWS_ARCH:-x86}}")"
: "${WINEPREFIX:?run inside scripts/wine-session.sh or set WINEPREFIX}"
page=http://localhost/www/corvale2/index.html
config="$repo/tools/apache/velmoran-httpd.conf"
pid_file="$repo/build/apache/httpd.pid"

fail() { echo "wine-check: $*" >&2; exit 1; }
ours_running() { pgrep -f -- "-f $config" >/dev/null || pgrep -f -- "run-apache.sh --until-stdin-closes" >/dev/null; }
# The process snapshot, as the shell's launcher sees it (Wine 8's tasklist prints nothing).
httpd_listed() { wine winedbg --command "info process" 2>/dev/null | grep -qi "'httpd.exe'"; }
page_answers() { [ "$(curl -s -o /dev/null -w '%{http_code}' "$page")" = 200 ]; }
wait_until() {  # wait_until SECONDS COMMAND...: true once COMMAND succeeds
  local tries=$(($1 * 5)); shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.2; done
  return 1
}
none_of_ours() { ! ours_running; }
not_listed() { ! httpd_listed; }

ours_running && fail "an Apache with this configuration is already running; stop it first"
# Any answer on port 80 before httpd.exe runs would make every check below meaningless.
curl -s -o /dev/null --max-time 2 http://127.0.0.1:80/ &&
  fail "another server already answers on port 80; stop it, or run this in a network namespace of its own"
mkdir -p "$WINEPREFIX/drive_c/xampp/apache/bin"
cp "$build/tools/apache-httpd/httpd.exe" "$WINEPREFIX/drive_c/xampp/apache/bin/"

# start_httpd: runs httpd.exe as the shell's launcher would find it, waits for the page.
start_httpd() {
  wine 'C:\xampp\apache\bin\httpd.exe' &
  httpd=$!
  wait_until 20 page_answers || fail "$1: the page does not answer at $page"
  httpd_listed || fail "$1: no httpd.exe in the process list"
  echo "wine-check: $1: page served, httpd.exe listed"
}
# expect_all_gone CASE [EXIT]: httpd.exe and every Apache process have ended.
expect_all_gone() {
  wait_until 15 none_of_ours || fail "$1: Apache outlived httpd.exe: $(pgrep -af -- "$config")"
  local status=0
  wait "$httpd" || status=$?
  if [ $# -gt 1 ] && [ "$status" != "$2" ]; then fail "$1: httpd.exe ended with $status, expected $2"; fi
  not_listed || fail "$1: httpd.exe still listed"
  page_answers && fail "$1: the page still answers"
  echo "wine-check: $1: httpd.exe ended ($status), no Apache process left"
}

start_httpd killed
wine taskkill /f /im httpd.exe >/dev/null
expect_all_gone killed

start_httpd closed
wine taskkill /im httpd.exe >/dev/null
expect_all_gone closed 0

start_httpd apache-ends
kill -TERM "$(cat "$pid_file")"
expect_all_gone apache-ends 0

start_httpd session-ends
wineserver -k
expect_all_gone session-ends
echo "wine-check: passed"
