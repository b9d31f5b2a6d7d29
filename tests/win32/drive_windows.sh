#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Drives zemvaro.exe under Wine as a pupil would, on a private X server with
# no window manager: the caption; the input's limit, typed and pasted; '7'
# and "Сметни", the report copied with Ctrl+A, Ctrl+C and compared; the
# "N > 2" box on '2'; the overflow box on '9e9' with the window going on;
# '2.5' written with the prefix's decimal comma; Enter and Escape doing
# nothing; "Чисти". READER reads and presses controls from inside the prefix;
# after '7', it reads the window through MSAA, as NVDA or Narrator would,
# checks every name against ACCESSIBLE_NAMES, and listens while the keys
# move through the sieve list; it hears the live region's summary after
# "Сметни" and "Чисти", and nothing after the "N > 2" box. After '1e4', the
# sieve list scrolled and a row selected stay so when a caption is clicked.
#
#   drive_windows.sh ZEMVARO_EXE READER_EXE WINE_PREFIX EXPECTED_REPORT_OF_7 \
#                    EXPECTED_READING_OF_7 ACCESSIBLE_NAMES
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/wine.sh"
private_x 1024x768 "$@"

exe=$1
reader_exe=$2
export WINEPREFIX=$3 WINEDEBUG=-all
expected=$4
expected_reading=$5
names=$6
work=$(mktemp -d)

wine "$exe" >"$work/log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

expect_box() {
  local seen
  seen=$(reader box)
  echo "$seen" | sed 's/^/  box /'
  [ "$seen" = "$(printf 'title: Zemvaro\ntext: %s\nbuttons: 1\nicon: no' "$1")" ] ||
    fail "the box for '$2' is not a plain '$1' box"
}
# The program answers the reader before it handles the input still queued
# for it, so a check waits for the answer to settle.
says() { [ "$(reader "${@:2}")" = "$1" ]; }
becomes() {  # becomes EXPECTED READER_ARGUMENTS...
  until_true 5 says "$@" && return 0
  echo "reader ${*:2} gives '$(reader "${@:2}")', not '$1'" >&2
  return 1
}
# In the background, until it listens: what the reader hears next.
listen() {  # listen FILE READER_ARGUMENTS...
  wine "$reader_exe" "${@:2}" >"$1" &
  listener=$!
  until_true 10 grep -q listening "$1" || fail "the reader never started listening"
}
heard_live() {  # heard_live FILE EXPECTED: what it heard, whole
  wait "$listener" || true
  local heard
  heard=$(tr -d '\r' <"$1" | grep -v '^listening$' || true)
  echo "$heard" | sed 's/^/  /'
  [ "$heard" = "$2" ] || fail "the live region said '$heard', not '$2'"
}
enter() {  # replaces the input's text, as typed
  click Text1_0
  xdotool key --delay 50 ctrl+a BackSpace
  xdotool type --delay 50 "$1"
  becomes "$1" text Text1_0 || fail "typed '$1'"
  click Command1_0
}
copied_report_is() {
  timeout 5 xclip -o -selection clipboard 2>/dev/null | head -z -n 1 | tr -d '\0' \
    >"$work/copied" || true
  cmp -s "$expected" "$work/copied"
}

reader start
window=$(xdotool search --sync --name 'сито на Ератостен' | head -n 1)
caption=$(xdotool getwindowname "$window")
case "$caption" in
  "https://"*" сито на Ератостен, хипотеза на Голдбах") ;;
  *) fail "caption is '$caption'" ;;
esac

# The input takes three characters, typed or pasted, and never half of one.
click Text1_0
xdotool type --delay 50 1234
becomes 123 text Text1_0 || fail "typed 1234"
printf '12\360\237\230\2005' | xclip -selection clipboard
xdotool key --delay 50 ctrl+a ctrl+v
becomes "$(printf '12\360\237\230\200')" text Text1_0 || fail "pasted '12😀5'"

listen "$work/live7" live 1 20
enter 7
heard_live "$work/live7" "live: \"$(expected summary_7)\""
sleep 0.3
click Text1_1
xdotool key --delay 100 ctrl+a ctrl+c
# Wine takes the clipboard a moment after Ctrl+C, and its text sometimes ends
# in a NUL and a stray byte or two.
until_true 5 copied_report_is || true
diff -u "$expected" "$work/copied" || fail "the copied report of 7 differs"
becomes 14 count List1_0 && becomes 7 count List1_1 || fail "the lists of 7"

reader read >"$work/heard"
click Text1_0
# Straight into the file, unpiped, so that "listening" is there when said.
listen "$work/events" events 4
xdotool key --delay 100 Tab Tab Down Down
wait "$listener" || true
cat "$work/heard" "$work/events" | tr -d '\r' >"$work/reading"
diff -u "$expected_reading" "$work/reading" || fail "a screen reader hears the window of 7 differently"
# Every face names the controls alike.
while IFS=$'\t' read -r control name; do
  case "$control" in '#'* | '') continue ;; esac
  grep "^$control: " "$work/reading" | grep -qF -- " \"$name\"" ||
    fail "MSAA does not name $control '$name'"
done <"$names"

# The box has spoken for itself: nothing more after it.
listen "$work/live2" live 1 5
enter 2
expect_box "N > 2" 2
becomes "Най-близкото по-голямо просто число е: " text Text1_1 || fail "the report after '2'"
heard_live "$work/live2" "no more events"

enter 9e9
expect_box "$(expected overflow)" 9e9
becomes 0 count List1_0 && becomes 0 count List1_1 || fail "the lists after an overflow"
becomes "Най-близкото по-голямо просто число е: " text Text1_1 ||
  fail "the overflow changed the report"

enter 2.5
becomes "$(printf 'Най-близкото по-голямо просто число е: 3\n2,5 = 0.5*(2 + 3)')" text Text1_1 ||
  fail "the report of 2.5, with a decimal comma"

# Enter and Escape start nothing, on the button or in the report, where
# Escape would otherwise close the window.
xdotool key --delay 50 Return Escape
click Text1_1
xdotool key --delay 50 Return Escape
sleep 0.3
becomes 5 count List1_0 && becomes 4 count List1_1 || fail "Enter or Escape changed the lists of 2.5"

# A caption changes nothing: the sieve list keeps its place and its row.
enter 1e4
becomes 20000 count List1_0 || fail "the lists of 1e4"
click List1_0
xdotool key --delay 50 Next Next Next Down
place=$(reader place List1_0)
case "$place" in "top 0 "* | *" selected -1") fail "the sieve list did not move: $place" ;; esac
click Label1_2
sleep 0.3
becomes "$place" place List1_0 || fail "a click on the caption moved the sieve list"

listen "$work/cleared" live 1 20
click Command1_1
heard_live "$work/cleared" "live: \"$(expected cleared)\""
becomes "" text Text1_0 && becomes "" text Text1_1 && becomes 0 count List1_0 &&
  becomes 0 count List1_1 || fail "Чисти left something behind"

[ "$(reader close)" = closed ] || fail "closing the window did not end the program"
echo "PASS: zemvaro.exe under Wine"
