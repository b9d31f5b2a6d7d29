#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# Checks that the release is the same, byte for byte, whoever builds it:
# clones the commit checked out (HEAD; changes not committed are not in it)
# twice into a scratch folder and runs the release command in each clone,
# each with nothing of the caller's environment but HOME, the second time in
# a deeper folder with a space in its name, later, under umask 002, in
# another time zone and in Bulgarian; then compares the two dist/ folders
# file by file and shows Debian's diffoscope account of every difference.
# The records of what made them (*.buildinfo) are compared too, but only
# shown: other tools may well make the same bytes.
#
# With --against DIR, builds once and compares with a release downloaded into
# DIR instead, the files its SHA256SUMS names. A signed release's signatures
# (its *-signatures.zip) are attached to the rebuild's files in place of
# signing, so that a signed download, too, is compared byte for byte.
#
#   scripts/rebuild.sh [--against DIR]
# Exits non-zero on any difference. The clones stay in the scratch folder,
# whose name it prints (ZEMVARO_REBUILD_DIR chooses it).
set -euo pipefail
cd "$(dirname "$0")/.."

against=
if [ "${1:-}" = --against ]; then
  against=$(realpath "$2")
fi

scripts/setup.sh
commit=$(git rev-parse HEAD)
work=${ZEMVARO_REBUILD_DIR:-$(mktemp -d /tmp/zemvaro-rebuild.XXXXXX)}
mkdir -p "$work/locale"
work=$(realpath "$work")
echo "== rebuilding $commit in $work"
# A Bulgarian locale of the scratch folder's own: the system may have none.
# Without it the second build would run in the C locale unseen.
localedef -i bg_BG -f UTF-8 "$work/locale/bg_BG.UTF-8" ||
  { echo "rebuild: no Bulgarian locale could be made (Debian's locales package?)" >&2; exit 1; }
[ "$(LOCPATH="$work/locale" LC_ALL=bg_BG.UTF-8 locale decimal_point 2>/dev/null)" = , ] ||
  { echo "rebuild: the Bulgarian locale made does not work" >&2; exit 1; }

release() {  # release FOLDER UMASK TZ LOCALE [OPTION...]: dist/ in FOLDER
  local folder=$1 mask=$2 zone=$3 locale=$4 start
  shift 4
  rm -rf "$folder"
  mkdir -p "$(dirname "$folder")"
  git clone -q --no-checkout . "$folder"
  git -C "$folder" checkout -q --detach "$commit"
  start=$(date +%s)
  if ! (cd "$folder" && umask "$mask" &&
        env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME="$HOME" \
          TZ="$zone" LOCPATH="$work/locale" LC_ALL="$locale" scripts/release.sh "$@") \
        >"$folder.log" 2>&1; then
    tail -n 30 "$folder.log"
    echo "the release command failed in $folder (log: $folder.log)" >&2
    exit 1
  fi
  echo "built in $folder ($(($(date +%s) - start)) s, umask $mask, TZ=$zone, LC_ALL=$locale)"
}

second=("$work/else where/deeper/zemvaro" 002 Pacific/Auckland bg_BG.UTF-8)
if [ -z "$against" ]; then
  release "$work/zemvaro" 022 UTC C.UTF-8
  first=$work/zemvaro/dist
  release "${second[@]}"
  files=$(cd "$first" && ls)
else
  first=$against
  signed=()
  for zip in "$against"/*-signatures.zip; do
    [ -e "$zip" ] || continue
    rm -rf "$work/signatures"
    /usr/bin/python3 -m zipfile -e "$zip" "$work/signatures"
    signed=(--signatures "$(echo "$work"/signatures/*)")
  done
  release "${second[@]}" "${signed[@]}"
  files=$(sed 's/^[0-9a-f]* [ *]//' "$against/SHA256SUMS")
fi

second_dist=${second[0]}/dist
different=0
for file in $files; do
  if cmp -s "$first/$file" "$second_dist/$file"; then
    echo "identical: $file"
  elif [[ $file == *.buildinfo ]]; then
    echo "made otherwise: $file"
    diff "$first/$file" "$second_dist/$file" || true
  else
    echo "DIFFERENT: $file"
    different=1
    report="$work/diffoscope-$file.txt"
    diffoscope --text "$report" "$first/$file" "$second_dist/$file" >/dev/null 2>&1 || true
    head -n 80 "$report"
    echo "(the whole account: $report)"
  fi
done
exit "$different"
