#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# One Zemvaro on a PC, whichever door it came through: each sequence below,
# as a lab's administrator or a teacher might run them on one PC, silently,
# from a clean test prefix, must leave exactly one entry among installed
# programs and one Start-menu shortcut, the program's files exactly when an
# entry is there, a program that computes '9', and, once removed, nothing of
# ours. OLD_SETUP is the setup.exe of version 1.00, built from its own
# script kept beside this one, which installed without Windows Installer.
# Every sequence's outcome is printed as a row of a table, then the test
# fails if any row is not as it should be.
#
#   check_installations.sh OLD_SETUP SETUP MSI NEXT_SETUP NEXT_MSI READER_EXE WINE_PREFIX \
#                          NAME VERSION NEXT_VERSION EXPECTED_REPORT_OF_9 REFUSAL
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/wine.sh"
private_x 1024x768 "$@"

old_setup=$1 setup=$2 msi=$3 next_setup=$4 next_msi=$5 reader_exe=$6
# No menu entries on the machine running the tests for the shortcuts.
export WINEPREFIX=$7 WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
name=$8 version=$9 next_version=${10} expected=${11} refusal=${12}
folder="$WINEPREFIX/drive_c/Program Files/$name"
elsewhere="$WINEPREFIX/drive_c/Apps/$name"
# Windows puts a per-machine shortcut among all users'; Wine 8 puts an MSI's
# among the installing user's.
shortcuts=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$name.lnk"
  "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$name.lnk")
clean=$(mktemp -d)
# One Wine server for the whole run: each program then starts in a moment.
wineserver -k 2>/dev/null && wineserver -w || true
wineserver -p
trap 'wineserver -k 2>/dev/null || true; rm -rf "$clean"' EXIT

# The uninstall entries named like the program: "KEY VERSION" a line.
entries() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    awk -v name="$name" '
      /^HKEY_/ { key = $0; sub(/.*\\/, "", key) }
      $1 == "DisplayName" && $3 == name { found[key] = 1 }
      $1 == "DisplayVersion" { version[key] = $3 }
      END { for (k in found) print k, version[k] }' | sort
}
shortcut() {
  local s
  for s in "${shortcuts[@]}"; do [ ! -f "$s" ] || echo "$s"; done
}
files() {
  echo $(ls "$folder" 2>/dev/null) $([ ! -e "$elsewhere" ] || echo "and in C:\\Apps: $(ls "$elsewhere")")
}
# What of ours is in the registry or on the disk, beyond what a clean prefix
# has.
ours() {
  wine regedit /E 'C:\registry.reg'
  iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/registry.reg" | tr -d '\r' | grep -i "$name" || true
  rm -f "$WINEPREFIX/drive_c/registry.reg"
  ls -d "$folder" "$elsewhere" "${shortcuts[@]}" 2>/dev/null || true
}
leftovers() { ours | grep -vxF -f "$clean/ours" || true; }

windows() { winepath -w "$1"; }
step() {  # step DOOR: runs one door silently, printing its exit code
  local code=0
  case "$1" in
    old) wine "$old_setup" /S || code=$? ;;
    old-elsewhere) wine "$old_setup" /S /D='C:\Apps\'"$name" || code=$? ;;
    setup) wine "$setup" /S || code=$? ;;
    setup-shown)
      # A double click: the refusal must say why, in Bulgarian.
      wine "$setup" &
      reader box >"$clean/box" || true
      wait $! || code=$?
      grep -qxF "text: $refusal" "$clean/box" || code="$code, said: $(grep text: "$clean/box")" ;;
    next-setup) wine "$next_setup" /S || code=$? ;;
    msi) wine msiexec /i "$(windows "$msi")" /qn || code=$? ;;
    next-msi) wine msiexec /i "$(windows "$next_msi")" /qn || code=$? ;;
    remove)
      # What "Uninstall" among installed programs runs, made silent: the
      # entry's own command, Windows Installer's for ours.
      local key
      for key in $(entries | cut -d' ' -f1); do
        wine msiexec /x "$key" /qn || code=$?
      done ;;
  esac
  echo "$code"
}

ours >"$clean/ours"
echo >>"$clean/ours"  # grep -f takes an empty file as no pattern at all
wineserver -k && wineserver -w
cp -a "$WINEPREFIX" "$clean/prefix"
wineserver -p
failed=0
row() { printf '%-34s | %-4s | %-12s | %-9s | %-23s | %-8s | %s\n' "$@"; }
row sequence exit entries shortcuts files computes "once removed"
# SEQUENCE (doors, the last the one whose outcome is checked) | ENTRY
# VERSION it must leave | WANTED exit code of the last door, as Wine passes
# it on: modulo 256, so that Windows Installer's refusal, 1603, is 67.
left=
while IFS='|' read -r sequence want_version want_code; do
  if [ -n "$left" ]; then
    wineserver -k && wineserver -w
    rm -rf "$WINEPREFIX" && cp -a "$clean/prefix" "$WINEPREFIX"
    wineserver -p
  fi
  code=
  for door in $sequence; do
    code=$(step "$door")
  done
  found=$(entries)
  versions=$(echo $(echo "$found" | cut -s -d' ' -f2))
  shortcuts_found=$(shortcut | grep -c . || true)
  computes=-
  if [ "$shortcuts_found" = 1 ]; then
    computes=no
    (computes "$(shortcut)" 9 "$expected") >/dev/null 2>&1 && computes=yes
  fi
  wrong=
  [ "$code" = "$want_code" ] || wrong+=" exit code $code, not $want_code;"
  [ "$versions" = "$want_version" ] || wrong+=" entries: $(echo $found);"
  [ "$shortcuts_found" = 1 ] || wrong+=" $shortcuts_found shortcuts;"
  files_found=$(files)
  [ "$files_found" = "LICENSE.txt zemvaro.exe" ] || wrong+=" files: $files_found;"
  [ "$computes" = yes ] || wrong+=" computes: $computes;"
  removed=$(step remove)
  left=$(leftovers)
  [ "$removed" = 0 ] || wrong+=" removal's exit code $removed;"
  [ -z "$left" ] || wrong+=" left after removal: $(echo $left);"
  row "$sequence" "$code" "$(echo "$found" | grep -c .) ($versions)" "$shortcuts_found" "$files_found" \
    "$computes" "$([ -z "$left" ] && echo nothing left || echo "$(echo "$left" | wc -l) things left")"
  if [ -n "$wrong" ]; then
    echo "  WRONG:$wrong"
    failed=1
  fi
done <<EOF
old setup|$version|0
old msi|$version|0
old-elsewhere msi|$version|0
old next-setup|$next_version|0
msi setup|$version|0
setup msi|$version|0
setup next-msi|$next_version|0
msi next-setup setup-shown|$next_version|67
next-msi setup|$next_version|67
EOF
[ "$failed" = 0 ] || fail "some sequences leave more or less than one Zemvaro"
echo "PASS: one Zemvaro after every sequence, and nothing once removed"
