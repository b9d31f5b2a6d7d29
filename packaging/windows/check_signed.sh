#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Checks that every FILE carries a valid Authenticode signature by the
# certificate SIGNER (PEM) and no other, chaining to an authority in CAFILE:
# any signature that Windows would trust is not enough, a release names its
# one signer.
#
#   check_signed.sh SIGNER CAFILE FILE...
set -euo pipefail

signer=$1
cafile=$2
shift 2
leaf=$(openssl x509 -in "$signer" -outform DER | sha256sum | cut -d' ' -f1)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
for file in "$@"; do
  if ! osslsigncode verify -CAfile "$cafile" -require-leaf-hash "sha256:$leaf" -in "$file" >"$log" 2>&1; then
    grep -i -e 'fail' -e 'error' -e 'mismatch' "$log" | head -n 5 >&2 || true
    echo "$file: not signed by $(openssl x509 -in "$signer" -noout -subject), or its signature" \
      "does not verify" >&2
    exit 1
  fi
  echo "verified: $file"
done
