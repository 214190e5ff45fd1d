#!/usr/bin/env bash
# What ./run does: velmoran.exe with its real engine on this machine.
#
#   ./run [--demo] [--own-network]
#
# 1. Installs the Debian packages that are missing (scripts/bootstrap-debian.sh).
# 2. Cross-builds velmoran.exe, the Chromium runtime's WebView2Loader.dll and
#    the httpd.exe that runs Apache, those targets only: the 32-bit build
#    (build/windows-x86) where this machine runs 32-bit programs, otherwise the
#    64-bit one (build/windows-x64); scripts/windows-arch.sh decides, and
#    VELMORAN_WINDOWS_ARCH=x86 or x64 chooses.
# 3. Installs the page's pose model into www/vendor/ once (scripts/prepare-www.sh).
# 4. Runs the shell in a Wine prefix kept between runs ($WINEPREFIX when set,
#    otherwise build/run-wine/prefix) on the display in $DISPLAY, or on an
#    Xvfb of its own when there is none (scripts/shell-session.sh says what then).
#
# --demo         drives the page from outside through port 9999 (four captures and
#                the check of all four), takes a screenshot, lists the files and the log, ends
# --own-network  runs the shell in a network namespace of its own (root), for when
#                another program holds port 80 or 9999 on this machine
set -euo pipefail
cd "$(dirname "$0")/.."
usage() { sed -n '2,/^set -euo/{/^#/s/^# \{0,1\}//p}' "$0"; }

demo=()
own_network=0
for argument in "$@"; do
  case "$argument" in
    --demo) demo=(--demo) ;;
    --own-network) own_network=1 ;;
    -h | --help) usage; exit 0 ;;
    *) echo "run: unknown option $argument" >&2; usage >&2; exit 2 ;;
  esac
done

bash scripts/bootstrap-debian.sh
arches="$(scripts/windows-arch.sh)"
arch="${arches%% *}"
if [ "$arch" = x64 ]; then
  echo "run: the 64-bit shell with its 64-bit Chromium runtime and httpd.exe: $(scripts/windows-arch.sh --reason)"
else
  echo "run: the 32-bit shell with its 32-bit Chromium runtime and httpd.exe"
fi
[ -f "build/windows-$arch/CMakeCache.txt" ] || cmake --preset "windows-$arch" >/dev/null
cmake --build --preset "windows-$arch" --target velmoran velmoran_runtime_chromium velmoran_apache_httpd
if [ ! -f www/vendor/pose/pose.js ]; then
  scripts/prepare-www.sh ||
    echo "run: the pose model could not be installed; the page runs without pose detection" >&2
fi

# The shell's page is always http://localhost/ on port 80, and its browser
# always opens port 9999: a server already there would answer in their place.
if [ $own_network -eq 0 ]; then
  for port in 80 9999; do
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      holder="$(ss -Hltnp "sport = :$port" 2>/dev/null | grep -o 'users:(("[^"]*"' | head -1 | cut -d'"' -f2 || true)"
      echo "run: something already answers on 127.0.0.1:$port${holder:+ ($holder)}." >&2
      echo "run: the shell needs port 80 for its web server and 9999 for its browser's debugging port." >&2
      echo "run: stop that program, or run ./run --own-network to give this run a loopback of its own." >&2
      exit 1
    fi
  done
fi

export VELMORAN_WINE_ROOT="${VELMORAN_WINE_ROOT:-build/run-wine}"
session=(scripts/wine-session.sh --arch "$arch" --display-from-env --keep-prefix -- scripts/shell-session.sh "${demo[@]}")
if [ $own_network -eq 1 ]; then
  exec scripts/own-network.sh "${session[@]}"
fi
exec "${session[@]}"
