#!/usr/bin/env bash
# Installs what the build, the tests, the benchmarks and the cross build need
# on Debian 12. Runs apt-get through sudo unless already root.
set -euo pipefail
packages=(
  cmake ninja-build g++ make pkg-config
  # The generated-files check runs the header generator (tools/abigen); the
  # ZIP writer's tests read archives back with Python's zipfile and unzip.
  python3 unzip
  googletest libgtest-dev libgmock-dev
  libbenchmark-dev libsimdjson-dev libssl-dev
  clang libclang-rt-14-dev
  # The style checks (scripts/check-style.sh).
  clang-format clang-tidy
  # Both Windows builds are cross-built on every machine.
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64
  # The Windows programs under Wine: a 64-bit Wine (and a 32-bit one where the
  # kernel runs 32-bit programs, below), a display without a screen, a small
  # window manager, X input and screenshots, the Korean locale and a font with
  # Korean glyphs, and Wine's own fonts (Marlett draws the caption buttons).
  wine wine64 xvfb xauth openbox xdotool x11-utils imagemagick locales fonts-nanum fonts-wine
  # The demo page: Debian's Apache serves it (scripts/run-apache.sh), headless
  # Chromium and curl check it.
  apache2 chromium curl
  # A loopback of its own for the real engine's test (scripts/own-network.sh).
  iproute2
)
# npm installs the page's pose model (scripts/prepare-www.sh); a nodejs that
# bundles npm is as good as Debian's own pair.
command -v npm >/dev/null || packages+=(nodejs npm)
# 32-bit Wine only where i386 programs execute: on a kernel without 32-bit
# execution its packages cannot even finish installing.
with_i386=0
if [[ " $(VELMORAN_WINDOWS_ARCH= bash "$(dirname "$0")/windows-arch.sh" 2>/dev/null) " == *" x86 "* ]]; then
  with_i386=1
  packages+=(wine32:i386)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
# wine32 is an i386 package.
if [ $with_i386 -eq 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
