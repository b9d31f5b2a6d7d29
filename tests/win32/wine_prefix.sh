#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Makes the Wine prefix the Windows tests run in, inside the build folder,
# quietly and without a display. Settings that only the tests want live
# here, never in the program.
#
#   wine_prefix.sh PREFIX
set -euo pipefail
export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY

wineserver -k 2>/dev/null && wineserver -w 2>/dev/null || true
rm -rf "$WINEPREFIX"
# Debian's Wine is 64-bit only; wineboot's one complaint about the missing
# 32-bit rundll32 is expected.
wineboot -i 2>&1 | grep -v 'syswow64' || true

settings=$(mktemp --suffix=.reg)
trap 'rm -f "$settings"' EXIT
cat >"$settings" <<'REG'
REGEDIT4

; Without a window manager, Wine's managed windows stall for two seconds
; whenever one is hidden or destroyed.
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

; A Bulgarian user's decimal separator.
[HKEY_CURRENT_USER\Control Panel\International]
"sDecimal"=","
REG
wine regedit /S "$(winepath -w "$settings")"

# Debian's Wine looks for its own fonts (Tahoma for message boxes, Marlett for
# the caption buttons) in the wrong folder; give the prefix copies.
cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/"
wineserver -w
