#!/usr/bin/env bash
# Installs velmoran.exe with its real engine into the Wine prefix $WINEPREFIX,
# as it would be installed on a Windows machine:
#   C:\FOLDER\velmoran.exe and beside it the Chromium runtime's WebView2Loader.dll;
#   the runtime's version under its registry key, where the shell's runtime
#   check looks for it (the 32-bit view, so a 64-bit prefix works as well);
#   C:\xampp\apache\bin\httpd.exe, which runs Debian's Apache on the demo page.
#
#   scripts/install-shell.sh BUILD [FOLDER]     BUILD: a windows-x86 or windows-x64 build; FOLDER default velmoran
#
# BUILD needs the targets velmoran, velmoran_runtime_chromium and velmoran_apache_httpd.
set -euo pipefail
build="$(realpath "$1")"
folder="${2:-velmoran}"
: "${WINEPREFIX:?set WINEPREFIX (scripts/wine-session.sh does)}"
drive_c="$WINEPREFIX/drive_c"
runtime_key='HKLM\SOFTWARE\Microsoft\EdgeUpdate\Clients\{F3017226-FE2A-4295-8BDF-00C3A9A7E4C5}'

for file in app/velmoran.exe runtime/chromium/win32/bin/WebView2Loader.dll tools/apache-httpd/httpd.exe; do
  [ -f "$build/$file" ] || { echo "install-shell: $build/$file is missing; build it first" >&2; exit 1; }
done
mkdir -p "$drive_c/$folder" "$drive_c/xampp/apache/bin"
cp "$build/app/velmoran.exe" "$build/runtime/chromium/win32/bin/WebView2Loader.dll" "$drive_c/$folder/"
cp "$build/tools/apache-httpd/httpd.exe" "$drive_c/xampp/apache/bin/"
wine reg add "$runtime_key" /v pv /t REG_SZ /d 135.0.3179.45 /reg:32 /f >/dev/null 2>&1 ||
  { echo "install-shell: cannot register the runtime in $WINEPREFIX" >&2; exit 1; }
