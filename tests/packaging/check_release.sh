#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# The release command as a release engineer runs it, in a clone of the
# sources as they stand, committed there: refused while a change is not
# committed; interrupted mid-build, leaving no dist/; and signing with a
# throwaway certificate authority while every process is watched: the
# password in no process's environment, and dist/ whole, recording the
# commit and the tools, its Windows files signed by that certificate and
# SHA256SUMS too, a signature that fails with one byte changed.
#
#   check_release.sh SOURCE FOLDER
set -euo pipefail
. "$(dirname "$0")/../lib.sh"

source=$1
folder=$2
clone=$folder/zemvaro
log=$folder/release.log
rm -rf "$folder"
mkdir -p "$folder"

git clone -q "$source" "$clone"
(cd "$clone" && git ls-files -z | xargs -0 rm -f)
(cd "$source" && git ls-files -z -co --exclude-standard | xargs -0 sh -c 'for f; do [ ! -e "$f" ] || printf "%s\0" "$f"; done' - |
  tar --null -T - -cf -) | tar -xf - -C "$clone"
git -C "$clone" add -A
git -C "$clone" -c user.name=test -c user.email=test@zemvaro.example commit -q --allow-empty \
  -m "The sources as tested"
cd "$clone"

echo "# not yet committed" >>README.md
if scripts/release.sh >"$log" 2>&1; then
  fail "a release was built with a change not committed"
fi
grep -q 'not committed' "$log" || fail "the refusal does not say why: $(tail -n 3 "$log")"
[ ! -e dist ] || fail "the refused release left dist/"
git checkout -q README.md
echo "refused: $(tail -n 1 "$log")"

# As Ctrl-C stops it: every process of the release at once.
setsid scripts/release.sh >"$log" 2>&1 &
release=$!
until_true 900 grep -q 'Building CXX' "$log" || fail "the release never began to build"
kill -INT -- -"$release"
if wait "$release"; then
  fail "the interrupted release says it succeeded"
fi
[ ! -e dist ] || fail "the interrupted release left dist/: $(ls dist)"
[ ! -e build-release/dist ] || fail "the interrupted release left its unfinished dist/"
echo "interrupted while building: no dist/"

password="throw away $RANDOM$RANDOM"
throwaway_ca "$folder" Zemvaro "$password"
(umask 077 && printf '%s\n' "$password" >"$folder/password")
start=$(date +%s)
scripts/release.sh --sign "$folder/signer.p12" --password-fd 3 --ca-file "$folder/ca.pem" \
  3<"$folder/password" >"$log" 2>&1 &
release=$!
# Every process's environment, as any process of the same user can read it,
# while the release runs.
while kill -0 "$release" 2>/dev/null; do
  printf '%s\n' /proc/[0-9]* >>"$folder/seen"
  for environ in $(grep -lF -- "$password" /proc/[0-9]*/environ 2>/dev/null); do
    echo "${environ%/environ} $(cat "${environ%/environ}/comm" 2>/dev/null)" >>"$folder/leaked"
  done
  sleep 0.05
done
wait "$release" || { tail -n 40 "$log"; fail "the signing release failed"; }
echo "signing release: $(($(date +%s) - start)) s, $(sort -u "$folder/seen" | wc -l) processes watched"
[ ! -e "$folder/leaked" ] || fail "the password was in the environment of: $(sort -u "$folder/leaked" | tr '\n' ' ')"
! grep -qF -- "$password" "$log" || fail "the password shows in the release's output"

fingerprint=$(openssl x509 -in "$folder/signer.pem" -noout -fingerprint -sha256 | sed 's/.*=//')
grep -qF "fingerprint $fingerprint" "$log" || fail "the release does not name its signer's fingerprint"
(cd dist && sha256sum --quiet -c SHA256SUMS) || fail "dist/ does not match its SHA256SUMS"
[ -z "$(find dist -type f ! -perm -444)" ] || fail "not for everyone to read: $(find dist -type f ! -perm -444)"
for file in dist/*.deb dist/*-setup.exe dist/*-x64.msi dist/*-portable.zip dist/*-web.zip \
  dist/*-signatures.zip dist/*.buildinfo dist/SHA256SUMS.p7s; do
  [ -e "$file" ] || fail "dist/ has no $file"
done
grep -qx "Commit: $(git rev-parse HEAD)" dist/*.buildinfo || fail "the record names another commit"
grep -q '^ wixl (= ' dist/*.buildinfo || fail "the record does not name the tools"
verify_sums() {
  openssl cms -verify -binary -inform DER -in dist/SHA256SUMS.p7s -content "$1" \
    -CAfile "$folder/ca.pem" -purpose any -out /dev/null 2>/dev/null
}
verify_sums dist/SHA256SUMS || fail "SHA256SUMS.p7s does not verify"
sed '1s/^./x/' dist/SHA256SUMS >"$folder/SHA256SUMS.changed"
if verify_sums "$folder/SHA256SUMS.changed"; then
  fail "SHA256SUMS.p7s verifies SHA256SUMS with one byte changed"
fi
echo "dist/: $(ls dist | tr '\n' ' ')"
echo "PASS: refused uncommitted, no dist/ when interrupted, the password in no environment, signed and recorded"
