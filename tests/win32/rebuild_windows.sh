#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# Builds zemvaro.exe and the three Windows packages a second time, in
# FOLDER, with nothing of the caller's environment but HOME, under umask
# 002, in another time zone and in Bulgarian, and
# compares them byte for byte with BUILD's: the cheap half of
# scripts/rebuild.sh, which builds the whole release twice. diffoscope
# explains any difference.
#
#   rebuild_windows.sh SOURCE BUILD FOLDER
set -euo pipefail

source=$1
build=$2
folder=$3
again=$folder/build

rm -rf "$folder"
mkdir -p "$folder/locale"
localedef -i bg_BG -f UTF-8 "$folder/locale/bg_BG.UTF-8" >"$folder/build.log" 2>&1 ||
  { cat "$folder/build.log"; echo "FAIL: no Bulgarian locale to build in" >&2; exit 1; }
(
  umask 002
  # Nothing of the caller's environment but HOME.
  build() {
    env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME="$HOME" \
      LOCPATH="$folder/locale" TZ=Pacific/Auckland LC_ALL=bg_BG.UTF-8 "$@" >>"$folder/build.log" 2>&1
  }
  build cmake -S "$source" -B "$again" -DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DZEMVARO_TESTS=OFF -DZEMVARO_BENCH=OFF
  build cmake --build "$again" -j2
) || {
  tail -n 30 "$folder/build.log"
  echo "FAIL: the second build failed" >&2
  exit 1
}

different=0
cd "$build"
for file in win32/zemvaro.exe packaging/windows/Zemvaro/zemvaro.exe \
  packaging/windows/*-setup.exe packaging/windows/*-x64.msi packaging/windows/*-portable.zip; do
  if cmp -s "$file" "$again/$file"; then
    echo "identical: $file"
  else
    echo "DIFFERENT: $file"
    diffoscope --text - "$file" "$again/$file" 2>&1 | head -n 60 || true
    different=1
  fi
done
[ "$different" = 0 ] && echo "PASS: the same bytes from another folder, umask, time zone and locale"
exit "$different"
