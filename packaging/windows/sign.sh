#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Signs one Windows file in place with Authenticode (SHA-256), and keeps its
# signature alone as KEEP/ROLE.pem. The key is never here: the release's
# signer (packaging/signer.py), whose folder ZEMVARO_SIGNER names, signs,
# so that the password reaches no process of the build.
#
# With ZEMVARO_SIGNATURES naming a folder of such ROLE.pem files instead, it
# attaches the one kept for ROLE: a rebuild then gets a release's signed
# files byte for byte, and osslsigncode takes a signature only onto the very
# content it was made for. Whether the certificate is to be trusted is not
# asked there (the chain the signature carries is taken as it is), but by
# the release's check afterwards.
#
#   sign.sh FILE ROLE KEEP NAME WEB_ADDRESS
set -euo pipefail

file=$1
role=$2
keep=$3
name=$4
address=$5
signed="$file.signed"
trap 'rm -f "$signed"' EXIT
rm -f "$signed"

if [ -n "${ZEMVARO_SIGNATURES:-}" ]; then
  chain="$file.chain"
  trap 'rm -f "$signed" "$chain"' EXIT
  openssl pkcs7 -in "$ZEMVARO_SIGNATURES/$role.pem" -print_certs -out "$chain"
  osslsigncode attach-signature -sigin "$ZEMVARO_SIGNATURES/$role.pem" -CAfile "$chain" \
    -in "$file" -out "$signed" >/dev/null
else
  : "${ZEMVARO_SIGNER:?the folder the signer serves from, packaging/signer.py}"
  /usr/bin/python3 "$(dirname "$0")/../signer.py" sign "$ZEMVARO_SIGNER" "$file" "$signed" "$name" \
    "$address"
fi
mv "$signed" "$file"
mkdir -p "$keep"
rm -f "$keep/$role.pem"
# In PEM: osslsigncode 2.5 and 2.9 each read only their own DER form.
osslsigncode extract-signature -pem -in "$file" -out "$keep/$role.pem" >/dev/null
echo "signed $role"
