#!/usr/bin/env bash
# The shell's main job on this machine: builds velmoran.exe, then runs it under
# Wine with the runtime double beside it (a scripted stand-in for the browser
# runtime, driven by samples/demo-scenario.txt) and a stand-in web server. The
# page of the scenario stores a capture and asks for the four-image check;
# the shell writes the files under C:\velmoran_pose\ and its errlog.txt.
#
# With a display (DISPLAY set) the window stays open until you close it.
# Without one the run happens inside Xvfb: a screenshot is taken once the
# scenario is done and the window is closed for you.
#
#   scripts/run-demo.sh [SCENARIO]
set -euo pipefail
cd "$(dirname "$0")/.."
scenario="$(realpath "${1:-samples/demo-scenario.txt}")"

if [ "${VELMORAN_DEMO_INNER:-}" != 1 ]; then
  arches="$(scripts/windows-arch.sh)"
  arch="${arches%% *}"
  cmake --preset "windows-$arch" >/dev/null
  cmake --build --preset "windows-$arch" --target velmoran velmoran_runtime_double velmoran_standin_httpd
  export VELMORAN_DEMO_INNER=1 VELMORAN_WINE_ROOT="${VELMORAN_WINE_ROOT:-build/demo-wine}"
  exec scripts/wine-session.sh --arch "$arch" --display-from-env -- "$0" "$scenario"
fi

build="build/windows-$VELMORAN_WINDOWS_ARCH"
drive_c="$WINEPREFIX/drive_c"
out="$(realpath -m build/demo)"
rm -rf "$out" && mkdir -p "$out"
transcript="$out/transcript.txt"
runtime_key='HKLM\SOFTWARE\Microsoft\EdgeUpdate\Clients\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}'
httpd='C:\xampp\apache\bin\httpd.exe'

mkdir -p "$drive_c/velmoran" "$drive_c/xampp/apache/bin"
cp "$build/app/velmoran.exe" "$build/runtime/double/win32/WebView2Loader.dll" "$drive_c/velmoran/"
cp "$build/tools/standin-httpd/httpd.exe" "$drive_c/xampp/apache/bin/"
wine reg add "$runtime_key" /v pv /t REG_SZ /d 135.0.3179.45 /f >/dev/null 2>&1

echo "== velmoran.exe in C:\\velmoran\\ (prefix $WINEPREFIX), display $DISPLAY"
VELMORAN_RUNTIME_SCENARIO="$scenario" VELMORAN_RUNTIME_TRANSCRIPT="$transcript" \
  wine 'C:\velmoran\velmoran.exe' &
shell=$!

if [ "$VELMORAN_OWN_DISPLAY" = 0 ]; then
  echo "== close the window to end the demo"
  wait "$shell" || true
else
  for _ in $(seq 300); do
    grep -q '^script	img_send_all_' "$transcript" 2>/dev/null && break
    sleep 0.2
  done
  sleep 1
  import -window root "$out/screenshot.png" 2>/dev/null && echo "== screenshot: $out/screenshot.png"
  wine taskkill /im velmoran.exe >/dev/null 2>&1 || true
  wait "$shell" || true
fi
wine "$httpd" --stop >/dev/null 2>&1 || true

echo "== files under C:\\velmoran_pose\\ ($drive_c/velmoran_pose)"
(cd "$drive_c/velmoran_pose" 2>/dev/null && find . -type f -printf '%p  %s bytes\n' | sort) || echo "(none)"
echo "== C:\\velmoran\\errlog.txt (code page 949)"
iconv -f CP949 -t UTF-8 "$drive_c/velmoran/errlog.txt" | cut -c1-160
echo "== what the page saw (transcript: $transcript)"
grep -E '^(navigate|script|close|unload)' "$transcript" | cut -c1-160
cp -r "$drive_c/velmoran_pose" "$out/" 2>/dev/null || true
cp "$drive_c/velmoran/errlog.txt" "$out/" 2>/dev/null || true
echo "== copies of the captures and the log: $out"
