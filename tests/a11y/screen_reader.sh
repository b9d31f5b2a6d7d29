#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Runs screen_reader.py against the real program under a private X server,
# D-Bus session and accessibility bus. The program gets Qt options and a
# style sheet that it must ignore.
#
#   screen_reader.sh EXECUTABLE EXPECTED_REPORT_OF_7
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
private_x_and_bus 1024x768 "$@"

executable=$1
expected=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
bus=$!
echo '* { font-size: 40pt; }' >"$work/huge.qss"
# A real screen reader switches Qt's accessibility on; here the test does.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$executable" -reverse -stylesheet "$work/huge.qss" \
  >"$work/log" 2>&1 &
pid=$!
trap 'kill "$pid" "$bus" 2>/dev/null || true; rm -rf "$work"' EXIT
fail_log=$work/log
# No window manager makes the window active: give it the keyboard, as a
# pupil's desktop would, so that what has the focus can be read.
window=$(timeout 30 xdotool search --sync --class Zemvaro | head -n 1)
xdotool windowfocus --sync "$window"

# Debian's pyatspi belongs to Debian's own Python, whatever else is on PATH.
timeout 120 /usr/bin/python3 "$here/screen_reader.py" "$expected" ||
  fail "the screen reader's walk"
kill -0 "$pid" 2>/dev/null || fail "the program is gone"
