#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# Installs Zemvaro silently into the test prefix, as a lab's administrator
# would, checks the files, the Start-menu shortcut and the entry among
# installed programs, computes '9' with the installed program, and then
# uninstalls silently and checks that nothing is left behind.
#
#   check_installer.sh INSTALLER READER_EXE WINE_PREFIX NAME VERSION EXPECTED_REPORT_OF_9
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/wine.sh"
private_x 1024x768 "$@"

installer=$1
reader_exe=$2
export WINEPREFIX=$3 WINEDEBUG=-all
name=$4
version=$5
expected=$6
folder="$WINEPREFIX/drive_c/Program Files/$name"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$name.lnk"
key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$name"
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v v="$1" '$1 == v {$1 = $2 = ""; sub(/^ +/, ""); print}'; }

wine "$installer" /S || fail "the silent install failed"
for file in zemvaro.exe LICENSE.txt uninstall.exe; do
  [ -f "$folder/$file" ] || fail "no $file in $folder"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
[ "$(value DisplayName)" = "$name" ] || fail "DisplayName is '$(value DisplayName)'"
[ "$(value DisplayVersion)" = "$version" ] || fail "DisplayVersion is '$(value DisplayVersion)'"
[ -n "$(value Publisher)" ] || fail "no Publisher"
[ "$(value DisplayIcon)" = "C:\\Program Files\\$name\\zemvaro.exe,0" ] || fail "DisplayIcon is '$(value DisplayIcon)'"
[ "$(value EstimatedSize)" != "" ] || fail "no EstimatedSize"
echo "installed: $(wine uninstaller --list | tr -d '\r')"

computes "C:\\Program Files\\$name\\zemvaro.exe" 9 "$expected"

# The uninstaller copies itself away and returns at once; wait for it.
wine "$folder/uninstall.exe" /S
all_gone() {
  [ ! -e "$folder" ] && [ ! -e "$shortcut" ] && ! wine reg query "$key" >/dev/null 2>&1
}
until_true 30 all_gone || true
[ ! -e "$folder" ] || fail "left behind: $(ls "$folder")"
[ ! -e "$shortcut" ] || fail "the shortcut was left behind"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstall entry was left behind"
echo "PASS: installed, ran and uninstalled silently"
