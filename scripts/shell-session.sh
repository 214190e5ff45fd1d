#!/usr/bin/env bash
# One run of velmoran.exe with its real engine, inside a Wine session
# (./run starts it through scripts/wine-session.sh): installs the shell into
# the prefix, starts it, and ends with it. The shell starts httpd.exe, so
# Debian's Apache, and its browser runtime starts Chromium inside its window.
#
#   scripts/shell-session.sh [--demo]
#
# With a display a person works with the window until closing it. On a
# display nobody sees (VELMORAN_OWN_DISPLAY=1) a screenshot is taken once the
# page has loaded and the window is closed. --demo drives the page from
# outside through the remote debugging port: four captures and the check of
# all four, a screenshot, then the window is closed.
#
# When the shell has ended, httpd.exe is closed (so Apache stops) and the run
# makes sure that no Chromium or Apache process of its own is left. Then it
# prints the start-up time, the capture files and this run's part of
# errlog.txt. Screenshots, the runtime's trace and the demo's result go to
# build/run/.
set -euo pipefail
cd "$(dirname "$0")/.."
demo=0
[ "${1:-}" = "--demo" ] && demo=1
: "${WINEPREFIX:?run through scripts/wine-session.sh}"
build="build/windows-$VELMORAN_WINDOWS_ARCH"
out="$(realpath -m build/run)"
drive_c="$WINEPREFIX/drive_c"
errlog="$drive_c/velmoran/errlog.txt"
mkdir -p "$out"
rm -f "$out"/*.png "$out/chromium-trace.txt" "$out/demo.json"

scripts/install-shell.sh "$build" velmoran
echo "== Wine prefix $WINEPREFIX, drive C: at $drive_c"
echo "== C:\\velmoran\\velmoran.exe with the Chromium runtime beside it; C:\\xampp\\apache\\bin\\httpd.exe runs Apache"
if [ "${VELMORAN_OWN_DISPLAY:-0}" = 1 ]; then
  echo "== no display: the shell runs on Xvfb display $DISPLAY (1280x1024), with openbox"
else
  echo "== display $DISPLAY"
fi

source scripts/shell-lifecycle.sh
shell_run_environment "velmoran-run-$$-$(date +%s)" "$out"
# Without a camera Chromium shows its own test picture (and asks nothing).
if [ -z "${VELMORAN_FAKE_CAMERA:-}" ]; then
  if compgen -G '/dev/video*' >/dev/null; then export VELMORAN_FAKE_CAMERA=0; else export VELMORAN_FAKE_CAMERA=1; fi
fi

remote_page() { node tools/remote-page/shell-page.mjs "$@"; }
screenshot() { import -window root "$out/$1" && echo "== screenshot: $out/$1"; }
log_size=$(stat -c %s "$errlog" 2>/dev/null || echo 0)
started=
status=0

finish() {
  shell_close
  if shell_end_run; then
    echo "== the window is closed: no Chromium or Apache process of this run is left"
  else
    status=1
  fi
  report
  exit $status
}

report() {
  local first
  first="$(grep -m1 ' navigation completed .* success' "$VELMORAN_CHROMIUM_TRACE" 2>/dev/null || true)"
  if [ -n "$first" ] && [ -n "$started" ]; then
    awk -v start="$started" '{ printf "== start-up: %.2f s from velmoran.exe'"'"'s start to the first navigation completed (%s)\n", ($1 - start) / 1000, $NF }' <<<"$first"
  fi
  echo "== files under C:\\velmoran_pose\\"
  (cd "$drive_c/velmoran_pose" 2>/dev/null && find . -type f -printf '%P  %s bytes\n' | sort | tr '/' '\\' |
    sed 's/^/   C:\\velmoran_pose\\/') || echo "   (none)"
  echo "== C:\\velmoran\\errlog.txt, this run's lines (code page 949)"
  if [ -f "$errlog" ]; then
    tail -c +$((log_size + 1)) "$errlog" | iconv -f CP949 -t UTF-8 | cut -c1-150 | sed 's/^/   /'
  fi
}

trap finish EXIT
trap 'status=130; exit 130' INT TERM

started=$(date +%s%3N)
shell_start

if [ $demo -eq 1 ]; then
  remote_page loaded || status=1
  screenshot page-loaded.png
  remote_page captures --capture-root "$drive_c/velmoran_pose" --out "$out/demo.json" || status=1
  sleep 1
  screenshot demo-captured.png
  echo "== the demo's result: $out/demo.json"
elif [ "${VELMORAN_OWN_DISPLAY:-0}" = 1 ]; then
  remote_page loaded || status=1
  screenshot page-loaded.png
else
  echo "== close the window to end the run"
  wait "$shell_pid" || true
  shell_pid=
fi
