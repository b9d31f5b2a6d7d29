#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# Signs the Windows files of the build in BUILD as the release command does,
# with a throwaway certificate authority and code-signing certificate made
# here, and checks that each verifies against that authority: zemvaro.exe,
# the installer and the MSI, and the program and uninstaller the installer
# puts on a PC (installed in the test prefix); that one changed byte fails
# the check; and that the signatures kept apart, attached to a build of the
# same sources, give the signed files byte for byte, as they do for anyone
# checking a signed download against a rebuild of their own.
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

verify() { osslsigncode verify -CAfile "$work/ca.pem" -in "$1" >"$work/verify.log" 2>&1; }

cat >"$work/openssl.cnf" <<'CNF'
[ca]
basicConstraints = critical, CA:true
keyUsage = critical, keyCertSign
subjectKeyIdentifier = hash
[signer]
basicConstraints = critical, CA:false
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
CNF
(
  cd "$work"
  openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 \
    -subj "/CN=$name test authority" -config openssl.cnf -extensions ca
  openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=$name test signer"
  openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out signer.pem \
    -days 2 -extfile openssl.cnf -extensions signer
  openssl pkcs12 -export -out signer.p12 -inkey signer.key -in signer.pem -certfile ca.pem \
    -passout pass:throwaway
) >"$work/openssl.log" 2>&1 || { cat "$work/openssl.log"; fail "openssl made no certificate"; }

# Signed from scratch, as the release command builds.
rm -rf "$packages/signatures"
cmake -DZEMVARO_SIGN=ON "$build" >"$work/build.log" 2>&1
start=$(date +%s%N)
ZEMVARO_SIGN_PKCS12=$work/signer.p12 ZEMVARO_SIGN_PASSWORD=throwaway \
  cmake --build "$build" -j2 >>"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "the signed build failed"; }
echo "signed build: $((($(date +%s%N) - start) / 1000000)) ms"
if grep -q throwaway "$work/build.log"; then
  fail "the password shows in the build's output"
fi

/usr/bin/python3 -m zipfile -e "$packages"/*-portable.zip "$work/portable"
wine "$packages"/*-setup.exe /S || fail "the signed installer did not install"
installed="$WINEPREFIX/drive_c/Program Files/$name"
for file in "$packages/$name/zemvaro.exe" "$work/portable/$name/zemvaro.exe" \
  "$packages"/*-setup.exe "$packages"/*-x64.msi "$installed/zemvaro.exe" "$installed/uninstall.exe"; do
  verify "$file" || { cat "$work/verify.log"; fail "$file does not verify"; }
  echo "verifies: ${file#"$build/"}"
done
wine "$installed/uninstall.exe" /S
until_true 30 test ! -e "$installed" || true

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
