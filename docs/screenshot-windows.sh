#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Remakes docs/zemvaro-7-windows.png: zemvaro.exe under Wine after computing
# 7, on a private X server. Needs the Windows build and its Wine prefix
# (scripts/test.sh, or ctest --test-dir build-windows) and ImageMagick's
# import (Debian imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
. tests/lib.sh
private_x 1024x768 "$@"

export WINEPREFIX=$PWD/build-windows/wineprefix WINEDEBUG=-all
[ -d "$WINEPREFIX" ] || tests/win32/wine_prefix.sh "$WINEPREFIX"
reader() { wine build-windows/tests/reader.exe "$@" | tr -d '\r'; }

wine build-windows/win32/zemvaro.exe &
trap 'wineserver -k 2>/dev/null || true' EXIT
reader start >/dev/null
window=$(xdotool search --sync --name 'сито на Ератостен' | head -n 1)
xdotool type --delay 40 7
# shellcheck disable=SC2046
xdotool mousemove --sync $(reader where Command1_0) click 1
xdotool mousemove --sync 1000 700  # no pointer over the window in the picture
sleep 0.5
import -window "$window" docs/zemvaro-7-windows.png
echo "wrote docs/zemvaro-7-windows.png"
