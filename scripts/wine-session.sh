#!/usr/bin/env bash
# Runs a command inside a fresh Wine session: a new 32-bit prefix, the Korean
# locale (so Windows' ANSI code page is 949, as on the clinics' machines), and
# an X display with a small window manager.
#
#   scripts/wine-session.sh [--display-from-env] [--keep-prefix] -- command [args...]
#
# Without --display-from-env the command always gets its own Xvfb, so tests
# never depend on the desktop they were started from. The prefix lives in
# $VELMORAN_WINE_ROOT (default build/wine) and is made anew on every run.
# With --keep-prefix the prefix is $WINEPREFIX when that is set, otherwise
# $VELMORAN_WINE_ROOT/prefix, and it is kept: made on first use, reused after.
#
# Facts behind the choices:
# - WINEARCH=win32 avoids the registry redirection of a 64-bit prefix, so the
#   runtime's HKLM key is where a 32-bit program on 32-bit Windows finds it.
# - Wine's ANSI code page follows LANG; ko_KR.UTF-8 gives 949. The locale is
#   compiled with localedef into a private LOCPATH, so no root is needed.
# - Under a bare Xvfb with no window manager Wine shrinks a maximised window
#   back to its restored size; openbox keeps maximised windows maximised.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--inner" ]; then
  # Second stage, inside the display: window manager, prefix, the command.
  shift
  wm_pid=
  if [ "${VELMORAN_OWN_DISPLAY:-1}" = 1 ] && command -v openbox >/dev/null; then
    openbox --sm-disable >/dev/null 2>&1 &
    wm_pid=$!
  fi
  # A prefix kept from an earlier session is ready as it is.
  if [ ! -e "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  if [ "${VELMORAN_OWN_DISPLAY:-1}" = 1 ]; then
    # Nobody sees this display: Wine places its windows itself. A window
    # manager keeps a window without a sizing border at its restored size
    # even when the program maximises it, and the shell's main window is such
    # a window.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
  fi
  status=0
  "$@" || status=$?
  wineserver -k 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  wait 2>/dev/null || true
  exit $status
fi

own_display=1
keep_prefix=0
while [ $# -gt 0 ]; do
  case "$1" in
    --display-from-env) own_display=0 ;;
    --keep-prefix) keep_prefix=1 ;;
    *) break ;;
  esac
  shift
done
[ "${1:-}" = "--" ] && shift
[ $# -gt 0 ] || { echo "usage: $0 [--display-from-env] [--keep-prefix] -- command [args...]" >&2; exit 2; }

root="$(realpath -m "${VELMORAN_WINE_ROOT:-build/wine}")"
mkdir -p "$root"
export LOCPATH="$root/locale"
if [ ! -d "$LOCPATH/ko_KR.UTF-8" ]; then
  mkdir -p "$LOCPATH"
  localedef -i ko_KR -f UTF-8 "$LOCPATH/ko_KR.UTF-8" 2>/dev/null || [ -d "$LOCPATH/ko_KR.UTF-8" ]
fi
# Korean for the code page; English messages, as the tests expect system texts.
unset LC_ALL
export LANG=ko_KR.UTF-8 LC_MESSAGES=C.UTF-8
export WINEDEBUG="${WINEDEBUG:--all}"
if [ $keep_prefix -eq 1 ]; then
  export WINEPREFIX="$(realpath -m "${WINEPREFIX:-$root/prefix}")"
  # An existing prefix keeps the architecture it was made with.
  if [ -e "$WINEPREFIX/system.reg" ]; then unset WINEARCH; else export WINEARCH=win32; fi
else
  export WINEARCH=win32 WINEPREFIX="$root/prefix"
  rm -rf "$WINEPREFIX"
fi
# No Mono or Gecko prompts in a fresh prefix: the shell needs neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export VELMORAN_ARTIFACTS="$(realpath -m "${VELMORAN_ARTIFACTS:-build/artifacts}")"
mkdir -p "$VELMORAN_ARTIFACTS"

if [ $own_display -eq 1 ] || [ -z "${DISPLAY:-}" ]; then
  # Tells the command that nobody sees this display.
  export VELMORAN_OWN_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" --inner "$@"
else
  export VELMORAN_OWN_DISPLAY=0
  exec "$0" --inner "$@"
fi
