#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Drives the real program as a user would, under a private X server: types
# INPUT, clicks "Сметни", copies the output box with Ctrl+A, Ctrl+C and
# compares the clipboard with EXPECTED. Also checks the window's caption and,
# given a desktop entry, that its StartupWMClass is the window's class.
#
#   drive_window.sh EXECUTABLE INPUT EXPECTED [DESKTOP_ENTRY]
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
private_x 1024x768 "$@"

executable=$1
input=$2
expected=$3
desktop_entry=${4:-}
work=$(mktemp -d)
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$executable" >"$work/log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
fail_log=$work/log

window=$(timeout 30 xdotool search --sync --class Zemvaro | head -n 1) || fail "no window appeared"
caption=$(xdotool getwindowname "$window")
case "$caption" in
  "https://"*" сито на Ератостен, хипотеза на Голдбах") ;;
  *) fail "caption is '$caption'" ;;
esac

if [ -n "$desktop_entry" ]; then
  wm_class=$(grep '^StartupWMClass=' "$desktop_entry" | cut -d= -f2)
  actual_class=$(xprop -id "$window" WM_CLASS | sed 's/.*, "\(.*\)"$/\1/')
  [ -n "$wm_class" ] && [ "$wm_class" = "$actual_class" ] ||
    fail "StartupWMClass '$wm_class' but the window's class is '$actual_class'"
fi

# Control centres in the window's own pixels.
compute_x=$((328 + 48)) compute_y=$((40 + 16))
output_x=$((8 + 200)) output_y=$((152 + 80))

xdotool windowfocus --sync "$window"
sleep 0.5
xdotool type --delay 40 "$input"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --sync $((X + compute_x)) $((Y + compute_y)) click 1
sleep 0.5
xdotool mousemove --sync $((X + output_x)) $((Y + output_y)) click 1
xdotool key --delay 100 ctrl+a ctrl+c

copied() { xclip -o -selection clipboard >"$work/actual" 2>/dev/null && [ -s "$work/actual" ]; }
until_true 10 copied || true

if ! diff -u "$expected" "$work/actual"; then
  fail "the report differs from $expected"
fi
kill -0 "$pid" 2>/dev/null || fail "the program is gone"
echo "PASS: '$input' gave the expected report"
