#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# Reads the MSI's tables with msitools and checks what Windows Installer
# requires of them, which Wine's installer may let pass: the identity
# (ProductCode, UpgradeCode, ProductVersion, Manufacturer, Bulgarian as
# ProductLanguage), per machine, the major upgrade's rows, a key path and a
# stable GUID for every component, the Bulgarian texts in the database's code
# page 1251, a shortcut to the program itself, and a summary that
# says x64 and Bulgarian, dated the source's date.
#
#   check_msi_tables.sh MSI PRODUCT_CODE UPGRADE_CODE VERSION NAME MANUFACTURER \
#                       WEB_ADDRESS DESCRIPTION EPOCH
set -euo pipefail

msi=$1
code="{$2}"
upgrade="{$3}"
version=$4
name=$5
manufacturer=$6
address=$7
description=$8
epoch=$9
failed=0

wrong() {
  echo "FAIL: $*" >&2
  failed=1
}
# The rows of a table, without msiinfo's three header lines.
rows() { msiinfo export "$msi" "$1" | tr -d '\r' | tail -n +4; }
expect() {  # expect TABLE ROW: the table has the row, tab-separated, whole
  if rows "$1" | grep -qxF -- "$2"; then
    echo "$1: $2"
  else
    wrong "$1 has no row '$2'"
  fi
}

while IFS='|' read -r table row; do
  expect "$table" "${row//|/$'\t'}"
done <<EOF
Property|ProductCode|$code
Property|UpgradeCode|$upgrade
Property|ProductVersion|$version
Property|ProductName|$name
Property|Manufacturer|$manufacturer
Property|ProductLanguage|1026
Property|ALLUSERS|1
Property|ARPNOMODIFY|1
Property|ARPNOREPAIR|1
Property|ARPPRODUCTICON|zemvaro.ico
Property|ARPHELPLINK|$address
Property|ARPCOMMENTS|$description
Upgrade|$upgrade||$version||1||WIX_UPGRADE_DETECTED
Upgrade|$upgrade|$version|||2||WIX_DOWNGRADE_DETECTED
LaunchCondition|NOT WIX_DOWNGRADE_DETECTED|На този компютър вече е инсталирана по-нова версия на $name.
Shortcut|StartMenu|ProgramMenuFolder|$name|Program|[#zemvaro.exe]||$description||zemvaro.ico|||INSTALLDIR||||
Directory|INSTALLDIR|ProgramFiles64Folder|$name
EOF

# The older version goes before the new one is installed.
sequence=$(rows InstallExecuteSequence)
for action in FindRelatedProducts LaunchConditions RemoveExistingProducts; do
  grep -q "^$action"$'\t' <<<"$sequence" || wrong "InstallExecuteSequence has no $action"
done

# Every component: a GUID (braced, upper case) and a key path, 64-bit.
components=$(rows Component)
[ "$(wc -l <<<"$components")" = 2 ] || wrong "components: $components"
# Tabs made bars first: read would take two tabs in a row for one.
while IFS='|' read -r id guid directory attributes condition keypath; do
  [[ "$guid" =~ ^\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}$ ]] || wrong "component $id has the GUID '$guid'"
  [ -n "$keypath" ] || wrong "component $id has no key path"
  [ "$attributes" = 256 ] || wrong "component $id is not 64-bit: $attributes"
  grep -q "^$keypath"$'\t'"$id"$'\t' <(rows File) || wrong "component $id's key path is not its file"
  echo "Component: $id $guid in $directory, key path $keypath${condition:+ if $condition}"
done <<<"${components//$'\t'/|}"

# Windows reads every string of the tables in this one code page.
msiinfo export "$msi" _ForceCodepage | tr -d '\0\r' | grep -qx $'1251\t_ForceCodepage' ||
  wrong "the database's code page is not 1251"

summary=$(msiinfo suminfo "$msi")
date=$(LC_ALL=C TZ=UTC date -d "@$epoch" '+%a %b %e %H:%M:%S %Y')
while IFS= read -r line; do
  grep -qxF -- "$line" <<<"$summary" || wrong "summary has no '$line'"
done <<EOF
Template: x64;1026
Created: $date
Last saved: $date
Version: 500 (1f4)
EOF
revision=$(sed -n 's/^Revision number (UUID): //p' <<<"$summary")
[[ "$revision" =~ ^\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}$ ]] || wrong "package code '$revision'"
[ "$revision" != "$code" ] || wrong "the package code is the product code"

[ "$failed" = 0 ] && echo "PASS: the MSI's tables"
exit "$failed"
