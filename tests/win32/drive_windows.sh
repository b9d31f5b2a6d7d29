#!/usr/bin/env bash
# Drives zemvaro.exe under Wine as a pupil would, on a private X server with
# no window manager: the caption; the input's limit, typed and pasted; '7'
# and "Сметни", the report copied with Ctrl+A, Ctrl+C and compared; the
# "N > 2" box on '2'; the overflow box on '9e9' with the window going on;
# '2.5' written with the prefix's decimal comma; Enter and Escape doing
# nothing; "Чисти". PROBE reads and presses controls from inside the prefix.
#
#   drive_windows.sh ZEMVARO_EXE PROBE_EXE WINE_PREFIX EXPECTED_REPORT_OF_7
set -euo pipefail

if [ -z "${ZEMVARO_UNDER_XVFB:-}" ]; then
  exec env ZEMVARO_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

exe=$1
probe_exe=$2
export WINEPREFIX=$3 WINEDEBUG=-all
expected=$4
work=$(mktemp -d)

wine "$exe" >"$work/log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
probe() { wine "$probe_exe" "$@" | tr -d '\r'; }
click() {
  local at
  at=$(probe where "$1" "$2")
  # shellcheck disable=SC2086
  xdotool mousemove --sync $at click 1
}
expect_box() {
  local seen
  seen=$(probe box)
  echo "$seen" | sed 's/^/  box /'
  [ "$seen" = "$(printf 'title: Zemvaro\ntext: %s\nbuttons: 1\nicon: no' "$1")" ] ||
    fail "the box for '$2' is not a plain '$1' box"
}
enter() {  # replaces the input's text, as typed
  click Text1 0
  xdotool key --delay 50 ctrl+a BackSpace
  xdotool type --delay 50 "$1"
  [ "$(probe text Text1 0)" = "$1" ] || fail "typed '$1' but the box holds '$(probe text Text1 0)'"
  click Command1 0
}

probe start
window=$(xdotool search --sync --name 'сито на Ератостен' | head -n 1)
caption=$(xdotool getwindowname "$window")
case "$caption" in
  "https://"*" сито на Ератостен, хипотеза на Голдбах") ;;
  *) fail "caption is '$caption'" ;;
esac

# The input takes three characters, typed or pasted, and never half of one.
click Text1 0
xdotool type --delay 50 1234
[ "$(probe text Text1 0)" = 123 ] || fail "typing 1234 left '$(probe text Text1 0)'"
printf '12\360\237\230\2005' | xclip -selection clipboard
xdotool key --delay 50 ctrl+a ctrl+v
[ "$(probe text Text1 0)" = "$(printf '12\360\237\230\200')" ] ||
  fail "pasting '12😀5' left '$(probe text Text1 0)'"

enter 7
sleep 0.3
click Text1 1
xdotool key --delay 100 ctrl+a ctrl+c
# Wine takes the clipboard a moment after Ctrl+C, and its text sometimes ends
# in a NUL and a stray byte or two.
for _ in $(seq 25); do
  timeout 5 xclip -o -selection clipboard 2>/dev/null | head -z -n 1 | tr -d '\0' >"$work/copied" || true
  cmp -s "$expected" "$work/copied" && break
  sleep 0.2
done
diff -u "$expected" "$work/copied" || fail "the copied report of 7 differs"
[ "$(probe count 0)/$(probe count 1)" = 14/7 ] || fail "lists of 7: $(probe count 0)/$(probe count 1)"

enter 2
expect_box "N > 2" 2
[ "$(probe text Text1 1)" = "Най-близкото по-голямо просто число е: " ] ||
  fail "the report after '2' is '$(probe text Text1 1)'"

enter 9e9
expect_box "Допустими са цели числа от -16384 до 16383." 9e9
[ "$(probe count 0)/$(probe count 1)" = 0/0 ] || fail "lists after an overflow"
[ "$(probe text Text1 1)" = "Най-близкото по-голямо просто число е: " ] ||
  fail "the overflow changed the report"

enter 2.5
[ "$(probe text Text1 1)" = "$(printf 'Най-близкото по-голямо просто число е: 3\n2,5 = 0.5*(2 + 3)')" ] ||
  fail "the report of 2.5 with a decimal comma is '$(probe text Text1 1)'"

# Enter and Escape start nothing, on the button or in the report, where
# Escape would otherwise close the window.
xdotool key --delay 50 Return Escape
click Text1 1
xdotool key --delay 50 Return Escape
[ "$(probe count 0)/$(probe count 1)" = 5/4 ] || fail "Enter or Escape changed the lists of 2.5"

click Command1 1
[ "$(probe text Text1 0)|$(probe text Text1 1)|$(probe count 0)|$(probe count 1)" = "||0|0" ] ||
  fail "Чисти left something behind"

[ "$(probe close)" = closed ] || fail "closing the window did not end the program"
echo "PASS: zemvaro.exe under Wine"
