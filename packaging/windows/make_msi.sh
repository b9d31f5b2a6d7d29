#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Builds the MSI with wixl from WXS, then writes the queries of TEXTS into it
# in code page 1251, and its summary: the same bytes from the same sources.
# wixl and msitools write the wall clock into the summary's dates, so both
# run at EPOCH under faketime; the package code, which wixl draws at random,
# is derived from the package's own content instead, so that it still
# changes whenever the package does.
#
#   make_msi.sh WXS TEXTS MSI EPOCH TITLE AUTHOR
set -euo pipefail

wxs=$1
texts=$2
msi=$3
epoch=$4
title=$5
author=$6
part="$(realpath -m "$msi").part"
export TZ=UTC
at=(faketime -f "$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')")
codepage=$(mktemp --suffix=.idt)
trap 'rm -f "$codepage" "$part"' EXIT

rm -f "$part"
# wixl finds the files it packs only from the folder it runs in.
(cd "$(dirname "$wxs")" && "${at[@]}" wixl -a x64 -o "$part" "$(basename "$wxs")")
printf '\n\n1251\t_ForceCodepage\n' >"$codepage"
"${at[@]}" msibuild "$part" -i "$codepage"
while IFS= read -r query; do
  case "$query" in '#'* | '') continue ;; esac
  "${at[@]}" msibuild "$part" -q "$query"
done <"$texts"

summary() { "${at[@]}" msibuild "$part" -s "$title" "$author" "x64;1026" "$1"; }
summary "{00000000-0000-0000-0000-000000000000}"
sum=$(sha256sum "$part")
summary "$(printf '{%s-%s-4%s-8%s-%s}' "${sum:0:8}" "${sum:8:4}" "${sum:13:3}" "${sum:17:3}" "${sum:20:12}" |
  tr a-f A-F)"
mv "$part" "$msi"
