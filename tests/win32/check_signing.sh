#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# Signs the Windows files of the build in BUILD as the release command does,
# through its signer, with a throwaway certificate authority and
# code-signing certificate made here, and checks that each is signed by
# that certificate, chaining to that authority: zemvaro.exe, the installer
# and the MSI, and the program the installer puts on a PC (installed in the
# test prefix); that another certificate of the same authority and one
# changed byte fail the check; and that the signatures kept apart, attached
# to a build of the same sources, give the signed files byte for byte, as
# they do for anyone checking a signed download against a rebuild of their
# own.
#
#   check_signing.sh BUILD WINE_PREFIX NAME
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
private_x 1024x768 "$@"

build=$1
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
name=$3
packages=$build/packaging/windows
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

# By the signer's certificate and no other, as the release checks.
verify() {
  "$tests/../packaging/windows/check_signed.sh" "$work/signer.pem" "$work/ca.pem" "$1" \
    >"$work/verify.log" 2>&1
}

throwaway_ca "$work" "$name" throwaway

# Signed from scratch, as the release command builds.
rm -rf "$packages/signatures"
cmake -DZEMVARO_SIGN=ON "$build" >"$work/build.log" 2>&1
mkdir -m 700 "$work/signer"
printf '%s\n%s\n' "$work/signer.p12" throwaway |
  /usr/bin/python3 "$tests/../packaging/signer.py" serve "$work/signer" >"$work/signer.ready" &
until_true 10 test -s "$work/signer.ready" || fail "the signer did not start"
start=$(date +%s%N)
ZEMVARO_SIGNER=$work/signer cmake --build "$build" -j2 >>"$work/build.log" 2>&1 ||
  { cat "$work/build.log"; fail "the signed build failed"; }
echo "signed build: $((($(date +%s%N) - start) / 1000000)) ms"
if grep -q throwaway "$work/build.log"; then
  fail "the password shows in the build's output"
fi

/usr/bin/python3 -m zipfile -e "$packages"/*-portable.zip "$work/portable"
wine "$packages"/*-setup.exe /S || fail "the signed installer did not install"
installed="$WINEPREFIX/drive_c/Program Files/$name"
for file in "$packages/$name/zemvaro.exe" "$work/portable/$name/zemvaro.exe" \
  "$packages"/*-setup.exe "$packages"/*-x64.msi "$installed/zemvaro.exe"; do
  verify "$file" || { cat "$work/verify.log"; fail "$file does not verify"; }
  echo "verifies: ${file#"$build/"}"
done
wine msiexec /x "$(winepath -w "$(echo "$packages"/*-x64.msi)")" /qn || fail "the signed MSI did not go"

# Another certificate of the same authority is not the release's.
osslsigncode remove-signature -in "$packages/$name/zemvaro.exe" -out "$work/unsigned.exe" >/dev/null
osslsigncode sign -pkcs12 "$work/other.p12" -readpass <(printf throwaway) -h sha256 \
  -in "$work/unsigned.exe" -out "$work/other.exe" >/dev/null
if verify "$work/other.exe"; then
  fail "a program signed by another certificate of the same authority passes the check"
fi
echo "another certificate of the same authority fails: $(grep -o 'not signed by.*' "$work/verify.log")"

# One byte changed inside what each signature covers: in the middle of a
# program, in the MSI's strings.
while IFS='|' read -r file needle; do
  copy="$work/changed-${file##*/}"
  cp "$file" "$copy"
  /usr/bin/python3 - "$copy" "$needle" <<'PY'
import sys
path, needle = sys.argv[1], sys.argv[2].encode()
data = bytearray(open(path, "rb").read())
at = data.find(needle) if needle else len(data) // 2
assert at >= 0, needle
data[at] ^= 0x01
open(path, "wb").write(data)
PY
  if verify "$copy"; then
    fail "${file##*/} with one byte changed still verifies"
  fi
  echo "one byte changed fails: ${file##*/}"
done <<LIST
$packages/$name/zemvaro.exe|
$(echo "$packages"/*-setup.exe)|
$(echo "$packages"/*-x64.msi)|The $name developers
LIST

# The signatures alone, attached to the same sources built again.
mkdir "$work/signed" "$work/kept"
cp "$packages"/*-setup.exe "$packages"/*-x64.msi "$packages"/*-portable.zip "$work/signed/"
cp "$packages"/signatures/*.pem "$work/kept/"
rm -f "$packages/staged.stamp" "$packages"/*-setup.exe "$packages"/*-x64.msi "$packages"/*-portable.zip
ZEMVARO_SIGNATURES=$work/kept cmake --build "$build" -j2 >>"$work/build.log" 2>&1 ||
  { cat "$work/build.log"; fail "attaching the kept signatures failed"; }
for file in "$work/signed"/*; do
  cmp "$file" "$packages/${file##*/}" || fail "${file##*/} with the kept signatures differs"
  echo "the same with the kept signatures: ${file##*/}"
done
echo "PASS: signed, verified, a changed byte caught, signatures carried over"
