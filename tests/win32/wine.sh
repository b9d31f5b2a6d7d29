# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# What the Windows drivers share, sourced after tests/lib.sh, with
# $reader_exe the reader program (reader.cpp) and WINEPREFIX set:
#
#   reader ARGUMENTS...          the reader's answer, line ends as LF
#   click NAME                   the pointer on a control of the table, clicked
#   computes EXE INPUT EXPECTED  starts the program at the Windows path EXE,
#                                or through the shortcut at the Unix path
#                                EXE (*.lnk), types INPUT, presses "Сметни",
#                                fails unless the report is EXPECTED's, and
#                                closes it

reader() { wine "$reader_exe" "$@" | tr -d '\r'; }

click() {
  local at
  at=$(reader where "$1")
  # No --sync: it waits for the pointer to move, which it never does when it
  # is already there, and the X server takes the move before the click anyway.
  # shellcheck disable=SC2086
  xdotool mousemove $at click 1
}

# The report, written to REPORT, is EXPECTED's.
report_is() { reader text Text1_1 >"$2" && cmp -s "$1" "$2"; }

computes() {
  local exe=$1 input=$2 expected=$3 report
  report=$(mktemp)
  case "$exe" in
    *.lnk) wine start /unix "$exe" ;;  # as a click on it: the shell resolves it
    *) wine "$exe" & ;;
  esac
  reader start >/dev/null
  click Text1_0
  xdotool type --delay 50 "$input"
  click Command1_0
  until_true 5 report_is "$expected" "$report" || true
  diff -u "$expected" "$report" || fail "the report of '$input' from $exe differs"
  rm -f "$report"
  [ "$(reader close)" = closed ] || fail "$exe did not close"
  wait
}
