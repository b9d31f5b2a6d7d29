#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Remakes docs/zemvaro-7.png: the real window after computing 7, under a
# private X server. Needs the program built (scripts/run.sh or
# scripts/test.sh) and ImageMagick's import (Debian imagemagick).
#
#   docs/screenshot.sh [SCALE]
set -euo pipefail
cd "$(dirname "$0")/.."
. tests/lib.sh
private_x 1280x1024 "$@"

scale=${1:-1}
out=docs/zemvaro-7.png
[ "$scale" = 1 ] || out=docs/zemvaro-7-x$scale.png
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME
export QT_SCALE_FACTOR=$scale

build/app/zemvaro &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

window=$(timeout 30 xdotool search --sync --class Zemvaro | head -n 1)
xdotool windowfocus --sync "$window"
sleep 0.5
xdotool type --delay 40 7
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --sync $((X + (328 + 48) * scale)) $((Y + (40 + 16) * scale)) click 1
xdotool mousemove --sync 0 $((Y + HEIGHT + 20))  # no hover colour in the picture
sleep 0.5
import -window "$window" "$out"
echo "wrote $out"
