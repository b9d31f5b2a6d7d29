# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# What the shell test drivers share; sourced, never run:
#
#   private_x SIZE "$@"          runs the calling script again under a private
#   private_x_and_bus SIZE "$@"  X server (and a D-Bus session of its own),
#                                unless it runs under one already
#   fail MESSAGE                 says why the test failed, with the end of
#                                $fail_log if the script names one, and ends it
#   until_true SECONDS COMMAND...  until COMMAND succeeds; false if it never
#                                does in that time
#   expected KEY                 a text from expected_texts.tsv
#   throwaway_ca DIR NAME PASSWORD  a certificate authority made for a test,
#                                in DIR: ca.pem, and two code-signing
#                                certificates it issued, signer.pem and
#                                other.pem, each with its key in a PKCS#12
#                                file (signer.p12, other.p12) under PASSWORD
tests=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

private_x() {
  local size=$1
  shift
  if [ -z "${ZEMVARO_UNDER_XVFB:-}" ]; then
    exec env ZEMVARO_UNDER_XVFB=1 "$tests/xvfb.sh" "$size" "$0" "$@"
  fi
}

private_x_and_bus() {
  local size=$1
  shift
  if [ -z "${ZEMVARO_UNDER_XVFB:-}" ]; then
    exec env ZEMVARO_UNDER_XVFB=1 "$tests/xvfb.sh" "$size" dbus-run-session -- "$0" "$@"
  fi
}

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${fail_log:-}" ] && [ -e "$fail_log" ]; then
    tail -n 30 "$fail_log" >&2
  fi
  exit 1
}

until_true() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

expected() {
  awk -F'\t' -v key="$1" '$1 == key { print $2; found = 1 } END { exit !found }' \
    "$tests/expected_texts.tsv"
}

throwaway_ca() {
  local dir=$1 name=$2 password=$3 who
  cat >"$dir/openssl.cnf" <<'CNF'
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
    cd "$dir"
    umask 077
    printf '%s' "$password" >password
    openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 \
      -subj "/CN=$name test authority" -config openssl.cnf -extensions ca
    for who in signer other; do
      openssl req -newkey rsa:2048 -nodes -keyout $who.key -out $who.csr -subj "/CN=$name test $who"
      openssl x509 -req -in $who.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out $who.pem \
        -days 2 -extfile openssl.cnf -extensions signer
      openssl pkcs12 -export -out $who.p12 -inkey $who.key -in $who.pem -certfile ca.pem \
        -passout file:password
    done
    rm password
  ) >"$dir/openssl.log" 2>&1 || { cat "$dir/openssl.log"; fail "openssl made no certificate"; }
}
