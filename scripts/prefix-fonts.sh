#!/usr/bin/env bash
# Gives the Wine prefix $WINEPREFIX the Marlett font, which Wine draws the
# caption buttons of the windows it frames with (minimise, maximise, restore
# and close are the letters 0, 1, 2 and r in it).
#
#   WINEPREFIX=... scripts/prefix-fonts.sh
#
# Run once a prefix exists (after wineboot), with the prefix's wineserver
# free to start; running it again changes nothing.
#
# Why: Debian's Wine 8 loads fonts only from the prefix's C:\windows\Fonts
# and from what fontconfig lists; its own fonts (package fonts-wine, a mere
# recommendation of libwine) lie in /usr/share/wine/fonts, where it never
# looks, and wineboot does not copy them into a new prefix. Without Marlett
# the font mapper takes whatever fontconfig offers for a symbol font (in the
# Korean prefix NanumGothicCoding), so the buttons show 0, 2 and r.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the prefix to give the font to}"
fonts_dir="$WINEPREFIX/drive_c/windows/Fonts"
[ -d "$fonts_dir" ] || { echo "$0: $WINEPREFIX has no C:\\windows\\Fonts; make the prefix first (wineboot -i)" >&2; exit 1; }

marlett=
for dir in /usr/share/wine/fonts /usr/lib/x86_64-linux-gnu/wine/fonts /usr/lib/i386-linux-gnu/wine/fonts /usr/lib/wine/fonts; do
  if [ -f "$dir/marlett.ttf" ]; then marlett="$dir/marlett.ttf"; break; fi
done
if [ -z "$marlett" ]; then
  echo "$0: Wine's marlett.ttf is not installed (Debian: apt-get install fonts-wine); window captions will show 0 2 r" >&2
  exit 1
fi

# Wine reads every font file in C:\windows\Fonts as a process starts.
cmp -s "$marlett" "$fonts_dir/marlett.ttf" || cp "$marlett" "$fonts_dir/marlett.ttf"
# Registered under the name Windows gives it, as an installed font is; a
# prefix that has it already is left alone without starting Wine.
if ! grep -q '^"Marlett (TrueType)"="marlett.ttf"' "$WINEPREFIX/system.reg" 2>/dev/null; then
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'Marlett (TrueType)' /t REG_SZ \
    /d marlett.ttf /f >/dev/null 2>&1
  # The registry reaches system.reg when the wineserver ends.
  wineserver -w
fi
