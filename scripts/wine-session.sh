#!/usr/bin/env bash
# Runs a command inside a fresh Wine session: a new prefix for the build's
# architecture, the Korean locale (so Windows' ANSI code page is 949, as on
# the clinics' machines), and an X display with a small window manager.
#
#   scripts/wine-session.sh [--arch x86|x64 | --arch-of BUILD] [--display-from-env] [--keep-prefix] -- command [args...]
#
# --arch x86 (32-bit programs in a 32-bit prefix) or x64 (64-bit programs in a
# 64-bit prefix, through Wine's 64-bit loader); --arch-of the architecture a
# Windows build folder was configured for; without either, the first that
# scripts/windows-arch.sh names for this machine. The command sees the choice
# in VELMORAN_WINDOWS_ARCH, so sessions started inside it make the same one.
# Without --display-from-env the command always gets its own Xvfb, so tests
# never depend on the desktop they were started from. The prefix lives in
# $VELMORAN_WINE_ROOT (default build/wine) and is made anew on every run.
# With --keep-prefix the prefix is $WINEPREFIX when that is set, otherwise
# $VELMORAN_WINE_ROOT/prefix, and it is kept: made on first use, reused after.
#
# Facts behind the choices:
# - WINEARCH=win32 for the 32-bit build avoids the registry redirection of a
#   64-bit prefix, so the runtime's HKLM key is where a 32-bit program on
#   32-bit Windows finds it. The 64-bit build gets a win64 prefix, as on
#   64-bit Windows.
# - Debian's `wine` command takes the 32-bit loader whenever wine32 is
#   installed, even where the kernel cannot run it. For the 64-bit build,
#   `wine` (and `wine-stable`, which wineboot calls) are put first on PATH as
#   the 64-bit loader, with WINELOADER naming it for Wine's own child processes.
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
    boot_log="$(dirname "$WINEPREFIX")/wineboot.log"
    # A 64-bit prefix without 32-bit Wine makes wineboot fail over its WoW64 half;
    # the prefix is sound when its registry was written, which the
    # wineserver does as it ends.
    wineboot -i >"$boot_log" 2>&1 || true
    wineserver -w
    if [ ! -e "$WINEPREFIX/system.reg" ]; then
      echo "Wine could not start: making the $WINEARCH prefix $WINEPREFIX failed (wineboot's output follows, all of it in $boot_log)." >&2
      tail -n 5 "$boot_log" >&2
      echo "Check that Wine for the $VELMORAN_WINDOWS_ARCH build is installed (scripts/bootstrap-debian.sh) and that scripts/windows-arch.sh names $VELMORAN_WINDOWS_ARCH." >&2
      exit 1
    fi
  fi
  # Wine's caption buttons are letters of the Marlett font, which a new
  # prefix lacks (scripts/prefix-fonts.sh says why); without it they read 0 2 r.
  scripts/prefix-fonts.sh || true
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
arch=
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch="${2:-}"; shift ;;
    --arch-of)
      # The cross toolchain's programs name the build's architecture.
      if grep -q '^CMAKE_LINKER:FILEPATH=.*x86_64-w64-mingw32' "${2:-}/CMakeCache.txt" 2>/dev/null; then
        arch=x64
      elif grep -q '^CMAKE_LINKER:FILEPATH=.*i686-w64-mingw32' "${2:-}/CMakeCache.txt" 2>/dev/null; then
        arch=x86
      else
        echo "$0: ${2:-} is no configured Windows build" >&2
        exit 2
      fi
      shift ;;
    --display-from-env) own_display=0 ;;
    --keep-prefix) keep_prefix=1 ;;
    *) break ;;
  esac
  shift
done
[ "${1:-}" = "--" ] && shift
[ $# -gt 0 ] || { echo "usage: $0 [--arch x86|x64 | --arch-of BUILD] [--display-from-env] [--keep-prefix] -- command [args...]" >&2; exit 2; }
if [ -z "$arch" ]; then
  arches="$(scripts/windows-arch.sh)"
  arch="${arches%% *}"
fi
case "$arch" in
  x86) winearch=win32 ;;
  x64) winearch=win64 ;;
  *) echo "$0: --arch must be x86 or x64, not '$arch'" >&2; exit 2 ;;
esac

root="$(realpath -m "${VELMORAN_WINE_ROOT:-build/wine}")"
mkdir -p "$root"
export VELMORAN_WINDOWS_ARCH="$arch"
if [ "$arch" = x64 ]; then
  [ -x /usr/lib/wine/wine64 ] || { echo "$0: Wine's 64-bit loader /usr/lib/wine/wine64 is missing (Debian: wine64)" >&2; exit 1; }
  mkdir -p "$root/bin64"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$root/bin64/$name"
    chmod +x "$root/bin64/$name"
  done
  export PATH="$root/bin64:$PATH" WINELOADER=/usr/lib/wine/wine64
fi
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
  # An existing prefix keeps the architecture it was made with; one of the
  # other architecture is made anew.
  if [ -e "$WINEPREFIX/system.reg" ]; then
    if grep -q '^#arch=win64' "$WINEPREFIX/system.reg"; then made=win64; else made=win32; fi
    if [ "$made" != "$winearch" ]; then
      echo "The kept prefix $WINEPREFIX is $made; making it anew as $winearch for the $arch build." >&2
      rm -rf "$WINEPREFIX"
    fi
  fi
  export WINEARCH=$winearch
else
  export WINEARCH=$winearch WINEPREFIX="$root/prefix"
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
