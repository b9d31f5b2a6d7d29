#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Times zemvaro.exe under Wine on a private X server: win32_bench's figures
# for a compute click and the first window, then the program's start until
# its window shows, with the Wine server already running (a warm prefix).
#
#   bench/windows_bench.sh BUILD_WINDOWS_DIR [REPETITIONS]
# The prefix is the one the Windows tests make (ctest --test-dir build-windows).
set -euo pipefail
. "$(dirname "$0")/../tests/lib.sh"
private_x 1024x768 "$@"

build=$(cd "$1" && pwd)
repetitions=${2:-21}
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true' EXIT
# The Wine server stays up between the runs below, as it does on a desktop.
wineserver -k 2>/dev/null || true
wineserver -p

wine "$build/bench/win32_bench.exe" "$repetitions" | tr -d '\r'

inside=() outside=()
for _ in $(seq "$(( repetitions < 9 ? repetitions : 9 ))"); do
  before=$(date +%s%N)
  wine "$build/win32/zemvaro.exe" &
  shown=$(wine "$build/tests/reader.exe" start | tr -d '\r')
  after=$(date +%s%N)
  inside+=("$(awk '{print $2}' <<<"$shown")")
  outside+=("$(( (after - before) / 1000000 ))")
  wine "$build/tests/reader.exe" close >/dev/null
  wait
done
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
echo "Start until the window shows (median of ${#inside[@]}, Wine server running):"
echo "  from the Windows process's creation      $(median "${inside[@]}") ms"
echo "  from 'wine zemvaro.exe', with the reader $(median "${outside[@]}") ms"
echo "target: <= 300 ms"
