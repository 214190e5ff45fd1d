#!/usr/bin/env bash
# velmoran.exe's whole road with its real engine under Wine, driven from
# outside through the browser's remote debugging port 9999 as any tool could:
#  - the shell starts httpd.exe, so Debian's Apache, and shows the demo page in
#    Chromium inside its window; in a screenshot the window's client area
#    shows the page's own colours (its navy top bar, its grey-blue ground),
#    so the page is there, and every pixel of the page on the screen is the
#    page's own (Chromium's rendering of it, camera preview aside), so
#    nothing paints over it: no bubble of Chromium's, nothing of Wine's;
#    Chromium's profile keeps its translate offer off;
#  - the page posts four real captures and the check of all four: every file
#    under C:\velmoran_pose\ holds exactly what the page posted, and the
#    shell's replies show on the page (slot badges, banner);
#  - the page's renderer is killed, then Chromium's browser process: each
#    time the shell brings the page back (a reload; a new browser in the same
#    window, so a new Chromium), the files stored before stay as they were and
#    a capture posted afterwards lands byte for byte; how long each took is
#    printed;
#  - the page's full-screen button (AppExit) makes the window cover the
#    screen (its X11 geometry, the page's viewport, the screenshot again);
#    pressed again, the window gets its frame back;
#  - the shell logged no failed navigation;
#  - closing the window ends Chromium; the server the shell started outlives
#    it, as its launcher intends, until httpd.exe is closed: then no Apache
#    process is left either.
#
#   tests/engine/road-check.sh [BUILD]     BUILD: a Windows build (default: scripts/windows-arch.sh --build)
#
# Needs root: Apache binds port 80, and the check runs in a network namespace
# and a Wine session of its own (its own loopback, prefix and Xvfb), so ports
# 80 and 9999 and the display are its alone. Without root it is skipped (77).
# Screenshots go to $VELMORAN_ARTIFACTS (default build/artifacts).
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$(realpath "${1:-$(scripts/windows-arch.sh --build)}")"

if [ "${VELMORAN_ENGINE_ROAD_INNER:-}" != 1 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "engine-road: skipped, needs root (port 80 and a network namespace of its own)"
    exit 77
  fi
  export VELMORAN_ENGINE_ROAD_INNER=1 VELMORAN_WINE_ROOT="$build/engine-road-wine"
  exec scripts/own-network.sh scripts/wine-session.sh --arch-of "$build" -- "$0" "$build"
fi

: "${WINEPREFIX:?}"
drive_c="$WINEPREFIX/drive_c"
shots="$VELMORAN_ARTIFACTS"
work="$(mktemp -d)"
export VELMORAN_RUN_ID="engine-road-$$"
export VELMORAN_FAKE_CAMERA=1
export VELMORAN_CHROMIUM_TRACE="$work/chromium-trace.txt"
export VELMORAN_APACHE_STATE="$work/apache"
shell=

say() { echo "engine-road: $*"; }
fail() {
  echo "engine-road: FAIL $*" >&2
  [ -f "$drive_c/velmoran/errlog.txt" ] && iconv -f CP949 -t UTF-8 "$drive_c/velmoran/errlog.txt" | cut -c1-150 | sed 's/^/  | /' >&2
  exit 1
}
ours() { scripts/run-processes.sh "$VELMORAN_RUN_ID" "$WINEPREFIX" || true; }
cleanup() {
  if [ -n "$shell" ]; then wine taskkill /f /im velmoran.exe >/dev/null 2>&1 || true; fi
  wine taskkill /im httpd.exe >/dev/null 2>&1 || true
  for _ in $(seq 50); do [ -z "$(ours)" ] && break; sleep 0.2; done
  ours | awk '{print $1}' | xargs -r kill -KILL 2>/dev/null || true
  cp "$VELMORAN_CHROMIUM_TRACE" "$shots/engine-road-chromium-trace.txt" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

remote_page() { node tools/remote-page/shell-page.mjs "$@"; }
screenshot() { import -window root "$shots/$1" || fail "no screenshot $1"; echo "$shots/$1"; }

# The shell's window as X11 sees it: "X Y WIDTH HEIGHT". Wine draws the
# caption and frame inside it when no window manager does.
shell_window() { xdotool search --onlyvisible --name 'V\.26\.04\.28' | head -1; }
# The browser's window inside it (its largest child), on the screen: "X Y WIDTH HEIGHT".
page_geometry() {
  xwininfo -children -id "$(shell_window)" |
    awk 'NF >= 2 && $(NF-1) ~ /^[0-9]+x[0-9]+[+-][0-9]+[+-][0-9]+$/ && $NF ~ /^[+-][0-9]+[+-][0-9]+$/ {
           split($(NF-1), size, /[x+-]/); split(substr($NF, 2), at, /[+-]/)
           if (size[1] * size[2] > best) { best = size[1] * size[2]; page = at[1] " " at[2] " " size[1] " " size[2] }
         }
         END {print page}'
}
# The page lies within the shell's window.
page_inside() {
  local px py pw ph wx wy ww wh
  read -r px py pw ph <<<"$1"
  read -r wx wy ww wh <<<"$2"
  [ -n "$pw" ] && [ "$px" -ge "$wx" ] && [ "$py" -ge "$wy" ] && [ $((px + pw)) -le $((wx + ww)) ] &&
    [ $((py + ph)) -le $((wy + wh)) ] || fail "the page ($1) is not inside the shell's window ($2)"
}
geometry() {
  xwininfo -id "$(shell_window)" |
    awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} /Width:/ {w = $2} /Height:/ {h = $2}
         END {print x, y, w, h}'
}

# The colour of one pixel of a screenshot, RRGGBB.
pixel() { convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -1 | tr -d '#' | tr a-f A-F; }
# Whether two colours differ by at most 6 in each channel.
close_to() {
  local i d
  for i in 0 2 4; do
    d=$((16#${1:i:2} - 16#${2:i:2}))
    [ "${d#-}" -le 6 ] || return 1
  done
}
# The page's colours (www/corvale2/css/app.css): the top bar and the ground
# beside the cards. The window's own background never has either.
navy=12314F
ground=EEF2F6
page_visible() {
  local shot="$1" x y w h px at
  read -r x y w h <<<"$2"
  # Only what lies on the screen can be seen.
  [ $((x + w)) -le "$screen_w" ] || w=$((screen_w - x))
  for percent in 5 50 95; do
    at="$((x + w * percent / 100)) $((y + 4))"
    px="$(pixel "$shot" ${at% *} ${at#* })"
    close_to "$px" "$navy" || fail "$shot: at ($at) inside the window #$px, not the page's top bar #$navy"
  done
  at="$((x + 8)) $((y + 90))"
  px="$(pixel "$shot" ${at% *} ${at#* })"
  close_to "$px" "$ground" || fail "$shot: at ($at) inside the window #$px, not the page's ground #$ground"
  page_own "$shot" "$2"
}

# The page's own pixels, all of them: the part of the page on the screen
# against Chromium's own rendering of the page (remote_page picture), which
# nothing drawn over the page reaches. Only what moves by itself (the camera
# preview and its overlay) is left out of both. A bubble of Chromium's own
# (its translate offer covered about 1% of the screen), a window of Wine's or
# Wine's painting over the page leaves thousands of pixels unlike the page's;
# the two pictures of the page itself, taken a moment apart, differ in next to none.
page_own() {
  local shot="$1" name="${1##*/}" x y w h answer rendered_w rendered_h moving box left top right bottom masks
  local differing area
  read -r x y w h <<<"$2"
  answer="$(remote_page picture --out "$work/rendered.png")" || fail "Chromium gave no picture of the page: $answer"
  read -r rendered_w rendered_h moving < <(node -e '
    const p = JSON.parse(require("fs").readFileSync(0, "utf8").trim().split("\n").pop());
    console.log(p.width, p.height, p.moving.map(([x, y, w, h]) => `${x},${y},${x + w - 1},${y + h - 1}`).join(" "));' <<<"$answer")
  [ "$rendered_w $rendered_h" = "$w $h" ] || fail "$shot: the page's viewport is ${rendered_w}x${rendered_h}, its window ${w}x${h}"
  # Only what lies on the screen can be seen: the same part of both pictures.
  left=$((x < 0 ? -x : 0)) top=$((y < 0 ? -y : 0))
  right=$((x + w > screen_w ? screen_w - x : w)) bottom=$((y + h > screen_h ? screen_h - y : h))
  masks=()
  for box in $moving; do masks+=(-draw "rectangle $box"); done
  convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage -fill black "${masks[@]}" \
    -crop "$((right - left))x$((bottom - top))+${left}+${top}" +repage "$work/shown-part.png"
  convert "$work/rendered.png" -fill black "${masks[@]}" \
    -crop "$((right - left))x$((bottom - top))+${left}+${top}" +repage "$work/rendered-part.png"
  differing="$(compare -metric AE -fuzz 20% "$work/shown-part.png" "$work/rendered-part.png" null: 2>&1 || true)"
  differing="$(awk '{printf "%d", $1}' <<<"$differing")"
  area=$(((right - left) * (bottom - top)))
  # One pixel in a thousand: a caret or a cursor, never a bubble or a window.
  if [ "$differing" -gt $((area / 1000)) ]; then
    convert "$work/shown-part.png" "$work/rendered-part.png" -compose difference -composite \
      -threshold 20% "$shots/${name%.png}-differs.png" 2>/dev/null || true
    fail "$shot: $differing of the page's $area pixels on the screen are not the page's own (white in ${name%.png}-differs.png)"
  fi
  say "$name: the page's pixels on the screen are its own ($differing of $area differ)"
}

read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
scripts/install-shell.sh "$build" velmoran
started=$(date +%s%3N)
wine 'C:\velmoran\velmoran.exe' &
shell=$!

remote_page loaded || fail "the page did not load in the shell"
sleep 1
windowed="$(geometry)"
page="$(page_geometry)"
page_inside "$page" "$windowed"
say "the window: $windowed, the page in it: $page (X Y WIDTH HEIGHT) on a ${screen_w}x${screen_h} screen"
page_visible "$(screenshot engine-road-1-loaded.png)" "$page"
say "the page shows inside the window (screenshot engine-road-1-loaded.png)"
# Chromium offers to translate a Korean page when its own language is English,
# in a bubble over the page, whenever its window is active as the page loads
# (a person's click, the pointer over it): the profile must keep that off.
preferences="$drive_c/velmoran/CustomCache/Default/Preferences"
translate="$(node -p 'JSON.parse(require("fs").readFileSync(process.argv[1], "utf8")).translate?.enabled' "$preferences" 2>&1)"
[ "$translate" = false ] || fail "Chromium's profile has its translate offer on ($preferences: translate.enabled $translate)"
say "Chromium's translate offer is off in the profile Chromium runs with"

remote_page captures --capture-root "$drive_c/velmoran_pose" --out "$work/captures.json" ||
  fail "the four captures did not make the road"
screenshot engine-road-2-captured.png >/dev/null

# The processes of this run's Chromium (its crash handler aside), and its browser process: the one without a --type.
chromium_processes() { ours | grep -v crashpad | grep chromium || true; }
browser_pid() { chromium_processes | awk '!/--type=/ {print $1}'; }
stored_captures() { (cd "$drive_c/velmoran_pose" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
logged() { iconv -f CP949 -t UTF-8 "$drive_c/velmoran/errlog.txt" | grep -c -F "$1" || true; }
# After `what` was killed at `since` (Unix ms): the page is back, the files stored before are as they were,
# and one more capture lands.
comes_back() {
  local what="$1" since="$2" stored="$3" back completed
  remote_page reloaded >/dev/null || fail "the page did not come back after $what was killed"
  back=$(date +%s%3N)
  completed="$(awk -v t="$since" '$1 > t && / navigation completed .* success/ {print $1; exit}' "$VELMORAN_CHROMIUM_TRACE")"
  say "$what killed: the page navigated again $((${completed:-$back} - since)) ms later, loaded and reachable $((back - since)) ms later"
  [ "$(stored_captures)" = "$stored" ] || fail "the captures stored before $what was killed changed"
  remote_page captures --count 1 --capture-root "$drive_c/velmoran_pose" ||
    fail "a capture after $what was killed did not land"
}

stored="$(stored_captures)"
remote_page mark >/dev/null || fail "the page could not be marked"
# Renderers carry neither the marker nor the user data folder: they are found as the browser process's descendants.
renderers="$(ps -e -o pid=,ppid=,args= | awk -v root="$(browser_pid)" '
  {parent[$1] = $2; if ($0 ~ /--type=renderer/) renderer[$1] = 1}
  END {for (p in renderer) {q = p; while (q in parent && q != root && q > 1) q = parent[q]; if (q == root) print p}}')"
[ -n "$renderers" ] || fail "this run's Chromium has no renderer: $(chromium_processes)"
since=$(date +%s%3N)
# shellcheck disable=SC2086  # one PID a word
kill -KILL $renderers
comes_back "the renderer" "$since" "$stored"
[ "$(logged '브라우저 프로세스 실패: 종류 1')" -ge 1 ] && [ "$(logged '페이지를 다시 불러옵니다.')" -ge 1 ] ||
  fail "the shell did not log the renderer's failure and the reload"
say "the renderer's end as the shell logged it: $(iconv -f CP949 -t UTF-8 "$drive_c/velmoran/errlog.txt" | grep -F '종류 1' | tail -1 | sed 's/.*::://')"

stored="$(stored_captures)"
remote_page mark >/dev/null || fail "the page could not be marked"
old_browser="$(browser_pid)"
[ "$(wc -w <<<"$old_browser")" = 1 ] || fail "not one browser process in this run's Chromium: $old_browser"
since=$(date +%s%3N)
kill -KILL "$old_browser"
for _ in $(seq 50); do kill -0 "$old_browser" 2>/dev/null || break; sleep 0.1; done
comes_back "Chromium's browser process" "$since" "$stored"
new_browser="$(browser_pid)"
[ -n "$new_browser" ] && [ "$new_browser" != "$old_browser" ] ||
  fail "no new Chromium after its browser process was killed (before $old_browser, now $new_browser)"
[ "$(logged '브라우저 프로세스 실패: 종류 0')" -ge 1 ] && [ "$(logged '브라우저를 다시 시작했습니다.')" -ge 1 ] ||
  fail "the shell did not log the browser's failure and its new browser"
say "the browser's end as the shell logged it: $(iconv -f CP949 -t UTF-8 "$drive_c/velmoran/errlog.txt" | grep -F '종류 0' | tail -1 | sed 's/.*::://')"
say "a new Chromium (browser process $new_browser, was $old_browser) shows the page in the same window"
page_visible "$(screenshot engine-road-2-recovered.png)" "$(page_geometry)"

viewport() { node -p 'const v = JSON.parse(require("fs").readFileSync(0, "utf8").trim().split("\n").pop()).after;
                      [v.width, v.height, v.screenWidth, v.screenHeight].join(" ")'; }
toggled="$(remote_page full-screen)" || fail "AppExit did not change the page's size: $toggled"
echo "$toggled"
read -r w h sw sh <<<"$(viewport <<<"$toggled")"
[ "$w $h" = "$sw $sh" ] || fail "after AppExit the page is ${w}x${h}, not the screen's ${sw}x${sh}"
full="$(geometry)"
[ "$full" = "0 0 $screen_w $screen_h" ] || fail "after AppExit the window is at $full, not covering the screen"
page="$(page_geometry)"
[ "$page" = "$full" ] || fail "after AppExit the page is at $page, not filling the window ($full)"
page_visible "$(screenshot engine-road-3-full-screen.png)" "$page"
say "AppExit: full screen, the window covers the screen ($full) and the page fills it"

toggled="$(remote_page full-screen)" || fail "a second AppExit changed nothing: $toggled"
echo "$toggled"
read -r w h sw sh <<<"$(viewport <<<"$toggled")"
[ "$h" -lt "$sh" ] || fail "after the second AppExit the page still fills the screen (${w}x${h})"
again="$(geometry)"
[ "$again" = "$windowed" ] || fail "after the second AppExit the window is at $again, not back at $windowed"
page="$(page_geometry)"
page_inside "$page" "$again"
page_visible "$(screenshot engine-road-4-windowed-again.png)" "$page"
say "AppExit again: the window has its frame back, client area $again (before full screen: $windowed)"

failed_navigation="$(iconv -f CP949 -t UTF-8 "$drive_c/velmoran/errlog.txt" | grep -E '페이지 이동 실패|알 수 없는 오류' || true)"
[ -z "$failed_navigation" ] || fail "the shell logged a failed navigation: $failed_navigation"
first="$(grep -m1 ' navigation completed .* success' "$VELMORAN_CHROMIUM_TRACE" | cut -d' ' -f1)"
say "start-up: $((first - started)) ms from velmoran.exe's start to the first navigation completed"

wine taskkill /im velmoran.exe >/dev/null 2>&1 || true
for _ in $(seq 100); do kill -0 "$shell" 2>/dev/null || break; sleep 0.2; done
kill -0 "$shell" 2>/dev/null && fail "velmoran.exe did not end after its window was closed"
shell=
for _ in $(seq 50); do ours | grep -q chromium || break; sleep 0.2; done
browser_left="$(ours | grep chromium || true)"
[ -z "$browser_left" ] || fail "Chromium outlived the shell's window: $browser_left"
ours | grep -q apache2 || fail "the server the shell started ended with it"
say "window closed: no Chromium process left; Apache runs on, as the shell's launcher intends"

wine taskkill /im httpd.exe >/dev/null 2>&1 || true
for _ in $(seq 75); do [ -z "$(ours)" ] && break; sleep 0.2; done
left="$(ours)"
[ -z "$left" ] || fail "left running after httpd.exe was closed: $left"
say "httpd.exe closed: no Chromium or Apache process of this run is left"
say "passed"
