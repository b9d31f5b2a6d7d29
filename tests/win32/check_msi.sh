#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# The MSI as Group Policy or Intune runs it, silently, in the test prefix:
# installed, with its entry among installed programs, and '9' computed with
# the installed program; the next version installed over it, leaving one
# entry and one set of files; this version refused over the next one,
# changing nothing; and the next one removed, leaving no file, shortcut or
# registry entry of ours. Wine's Windows Installer shares its code with
# msitools, so this is a good sign, not a proof for Windows: check_msi_tables.sh
# reads what Windows itself requires of the tables.
#
#   check_msi.sh MSI PRODUCT_CODE NEXT_MSI NEXT_PRODUCT_CODE NEXT_VERSION READER_EXE \
#                WINE_PREFIX NAME VERSION PUBLISHER DESCRIPTION EXPECTED_REPORT_OF_9
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
. "$(dirname "$0")/wine.sh"
private_x 1024x768 "$@"

msi=$1
code=$2
next_msi=$3
next_code=$4
next_version=$5
reader_exe=$6
# No menu entries on the machine running the tests for the shortcut.
export WINEPREFIX=$7 WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
name=$8
version=$9
publisher=${10}
description=${11}
expected=${12}
folder="$WINEPREFIX/drive_c/Program Files/$name"
# Windows puts a per-machine package's shortcut among all users'; Wine 8
# among the installing user's.
shortcuts=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$name.lnk"
  "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$name.lnk")
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

# One value of an uninstall entry, read from regedit's Unicode export so that
# Cyrillic comes through.
value() {  # value PRODUCT_CODE NAME
  local reg="$work/entry.reg"
  rm -f "$reg"
  # regedit knows the root key only by its whole name.
  wine regedit /E "$(winepath -w "$reg")" "HKEY_LOCAL_MACHINE${uninstall#HKLM}\\$1" 2>/dev/null
  [ -f "$reg" ] || return 0
  iconv -f UTF-16 -t UTF-8 "$reg" | tr -d '\r' | sed -n "s/^\"$2\"=//p" | sed 's/^"\(.*\)"$/\1/'
}
# The product codes among the uninstall entries, ours only.
entries() { wine reg query "$uninstall" 2>/dev/null | tr -d '\r' | sed 's/.*\\//' | grep -xF -e "$code" -e "$next_code" || true; }
shortcut() {
  local s
  for s in "${shortcuts[@]}"; do
    [ -f "$s" ] && echo "$s"
  done
  return 0
}
# Windows Installer's own registry keys name a product by its code packed:
# each group's hex digits reversed, the last two groups byte by byte.
packed() {
  local g=${1//[\{\}-]/} p i
  p=$(rev <<<"${g:0:8}")$(rev <<<"${g:8:4}")$(rev <<<"${g:12:4}")
  for i in 16 18 20 22 24 26 28 30; do p+=${g:i+1:1}${g:i:1}; done
  echo "$p"
}
# Every line of the prefix's registry that names Zemvaro or its codes, with
# the registry written out first.
ours() {
  wineserver -w
  cat "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" |
    grep -i -e "$name" -e "$code" -e "$next_code" -e "$(packed "$code")" -e "$(packed "$next_code")" |
    sed 's/^\(\[.*\]\) [0-9]*$/\1/' || true
}

ours >"$work/registry-before"

wine msiexec /i "$(winepath -w "$msi")" /qn || fail "the silent install failed"
for file in zemvaro.exe LICENSE.txt; do
  [ -f "$folder/$file" ] || fail "no $file in $folder"
done
[ -n "$(shortcut)" ] || fail "no Start-menu shortcut"
echo "shortcut: $(shortcut)"
while IFS='|' read -r field want; do
  got=$(value "$code" "$field")
  [ "$got" = "$want" ] || fail "$field is '$got', not '$want'"
  echo "entry: $field = $got"
done <<EOF
DisplayName|$name
DisplayVersion|$version
Publisher|$publisher
Comments|$description
NoModify|dword:00000001
NoRepair|dword:00000001
EOF

computes "C:\\Program Files\\$name\\zemvaro.exe" 9 "$expected"

# The next version over it: the older one goes first, wholly.
wine msiexec /i "$(winepath -w "$next_msi")" /qn || fail "the upgrade failed"
[ "$(entries)" = "$next_code" ] || fail "after the upgrade the entries are: $(entries)"
[ "$(value "$next_code" DisplayVersion)" = "$next_version" ] || fail "the upgrade shows '$(value "$next_code" DisplayVersion)'"
[ "$(ls "$folder")" = "$(printf 'LICENSE.txt\nzemvaro.exe')" ] || fail "after the upgrade: $(ls "$folder")"
[ "$(shortcut | wc -l)" = 1 ] || fail "after the upgrade the shortcuts are: $(shortcut)"
echo "upgraded: $(entries)"

# This version over the next one: refused, with the downgrade rule's reason.
sum=$(sha256sum "$folder/zemvaro.exe")
if wine msiexec /i "$(winepath -w "$msi")" /qn /l 'C:\zemvaro-downgrade.log'; then
  fail "an older version installed over a newer one"
fi
grep -aq "WIX_DOWNGRADE_DETECTED = $next_code" "$WINEPREFIX/drive_c/zemvaro-downgrade.log" ||
  fail "the refusal was not the downgrade rule's"
rm -f "$WINEPREFIX/drive_c/zemvaro-downgrade.log"
[ "$(entries)" = "$next_code" ] || fail "the refused downgrade left the entries: $(entries)"
[ "$(sha256sum "$folder/zemvaro.exe")" = "$sum" ] || fail "the refused downgrade changed the program"
echo "refused: $version over $next_version"

wine msiexec /x "$(winepath -w "$next_msi")" /qn || fail "the silent removal failed"
[ ! -e "$folder" ] || fail "left behind: $(ls "$folder")"
[ -z "$(shortcut)" ] || fail "the shortcut was left behind"
[ -z "$(entries)" ] || fail "the uninstall entry was left behind: $(entries)"
for c in "$code" "$next_code"; do
  [ ! -e "$WINEPREFIX/drive_c/windows/Installer/$c" ] || fail "Windows Installer's copy of the icon was left behind"
done
ours >"$work/registry-after"
diff -u "$work/registry-before" "$work/registry-after" || fail "registry entries of ours were left behind"
echo "PASS: installed, ran, upgraded, refused to go back and removed silently"
