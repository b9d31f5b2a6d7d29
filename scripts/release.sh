#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# The release command: builds, from clean build folders, the .deb, the
# Windows installer, the MSI, the portable zip and the web page's zip, each
# named with the version, with a record of what made them (the commit and
# the Debian packages: zemvaro-VERSION.buildinfo) and their SHA-256 sums.
# Run the test command first.
#
# A release is a commit's: a working tree with changes not committed is
# refused, and every date inside the files is the commit's
# (SOURCE_DATE_EPOCH), so that the same commit gives the same bytes whoever
# builds it, wherever, whenever (scripts/rebuild.sh checks it). dist/
# appears whole or not at all: everything is built, checked and signed in
# build-release/dist and moved to dist/ at the end.
#
#   scripts/release.sh [--sign CERTIFICATE.p12 [--password-fd N]
#                       [--timestamp URL] [--ca-file FILE]]
#   scripts/release.sh --signatures FOLDER
#
# --sign signs the Windows files and SHA256SUMS with the certificate (a
# PKCS#12 file), whose password is asked for on the terminal, or read from
# file descriptor N; neither ever goes through the environment, which every
# process of the build would inherit. Only packaging/signer.py holds them.
# --timestamp has an RFC 3161 server vouch for the time of signing. Every
# signed file is checked afterwards against that certificate and against
# the certificate authorities in --ca-file (by default the system's), and
# the certificate's SHA-256 fingerprint is printed. --signatures attaches
# the signatures kept from a signed release instead (rebuild.sh --against),
# checked against the certificate they carry.
set -euo pipefail
cd "$(dirname "$0")/.."

key= password_fd= timestamp= signatures= cafile=/etc/ssl/certs/ca-certificates.crt
while [ $# -gt 0 ]; do
  case "$1" in
    --sign) key=$(realpath "$2") ;;
    --password-fd) password_fd=$2 ;;
    --timestamp) timestamp=$2 ;;
    --ca-file) cafile=$(realpath "$2") ;;
    --signatures) signatures=$(realpath "$2") ;;
    *) echo "release: unknown option $1 (see the top of $0)" >&2; exit 2 ;;
  esac
  shift 2
done
if [ -n "${ZEMVARO_SIGN_PKCS12+set}${ZEMVARO_SIGN_PASSWORD+set}" ]; then
  echo "release: give the certificate as --sign FILE.p12 and its password when asked (or on" \
    "--password-fd), not in the environment, which every process of the build inherits" >&2
  exit 2
fi

if [ -n "$(git status --porcelain)" ]; then
  git status --short >&2
  echo "release: these changes are not committed; a release is built from a commit only" \
    "(commit them, or stash them, first)" >&2
  exit 1
fi
commit=$(git rev-parse HEAD)
tag=$(git describe --tags --exact-match 2>/dev/null || true)
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH
echo "== $commit${tag:+ ($tag)}, dated $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC')"

scripts/setup.sh
jobs=$(nproc)
rm -rf build-release build-release-windows build-release-web
stage=build-release/dist
mkdir -p "$stage"
signer=
cleanup() {
  [ -z "$signer" ] || kill "$signer" 2>/dev/null || true
  rm -rf "$stage" "${signer_folder:-}"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The signer, started before anything else so that a wrong password stops
# the release at once; its folder is the only thing the build is told.
sign=OFF
if [ -n "$signatures" ]; then
  echo "== attaching the signatures in $signatures"
  export ZEMVARO_SIGNATURES=$signatures
  sign=ON
elif [ -n "$key" ]; then
  [ -r "$key" ] || { echo "release: cannot read $key" >&2; exit 1; }
  password=
  if [ -n "$password_fd" ]; then
    IFS= read -r password <&"$password_fd" || true
  else
    IFS= read -rsp "Password of $key: " password </dev/tty
    echo >/dev/tty
  fi
  signer_folder=$(mktemp -d)
  /usr/bin/python3 packaging/signer.py serve "$signer_folder" $timestamp \
    < <(printf '%s\n%s\n' "$key" "$password") >"$signer_folder.ready" &
  signer=$!
  unset password
  until [ -s "$signer_folder.ready" ]; do
    kill -0 "$signer" 2>/dev/null || { echo "release: the signer did not start" >&2; exit 1; }
    sleep 0.1
  done
  rm -f "$signer_folder.ready"
  export ZEMVARO_SIGNER=$signer_folder
  echo "== signing with $key"
  sign=ON
fi

echo "== the .deb"
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DZEMVARO_TESTS=OFF -DZEMVARO_BENCH=OFF
cmake --build build-release -j"$jobs"
# CPack gives the .deb's own members (debian-binary, control.tar.gz,
# data.tar.gz) the builder's umask, as dpkg-buildpackage would not.
(umask 022 && cpack --config build-release/CPackConfig.cmake -B build-release/package)

echo "== the Windows installer, the MSI and the portable zip"
cmake -S . -B build-release-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DZEMVARO_TESTS=OFF -DZEMVARO_BENCH=OFF -DZEMVARO_SIGN=$sign
cmake --build build-release-windows -j"$jobs"

echo "== the web page's zip"
emcmake cmake -S . -B build-release-web -DCMAKE_BUILD_TYPE=Release -DZEMVARO_TESTS=OFF \
      -DZEMVARO_BENCH=OFF
cmake --build build-release-web -j"$jobs"

windows=build-release-windows/packaging/windows
cp build-release/package/*.deb "$windows"/*-setup.exe "$windows"/*-x64.msi \
   "$windows"/*-portable.zip build-release-web/web/*-web.zip "$stage/"
version=$(basename "$stage"/*-setup.exe -setup.exe)
# shellcheck disable=SC2046
/usr/bin/python3 packaging/buildinfo.py "${version#zemvaro-}" "$commit" "$tag" "$SOURCE_DATE_EPOCH" \
  $(scripts/setup.sh --release-packages) >"$stage/$version.buildinfo"

# Debian's checker must have nothing to say (its remark about running as root
# is about how it runs, not about the package).
report=$(lintian "$stage"/*.deb 2>&1 | grep -vx 'running with root privileges is not recommended!' || true)
if [ -n "$report" ]; then
  echo "$report"
  exit 1
fi

if [ "$sign" = ON ]; then
  check=build-release/signed
  rm -rf "$check"
  mkdir -p "$check/portable" "$check/msi"
  if [ -n "$signatures" ]; then
    # The certificate the signatures carry: the one that is no authority.
    openssl pkcs7 -in "$signatures/setup.exe.pem" -print_certs -out "$check/carried.pem"
    awk -v to="$check/carried-" '/-----BEGIN/ { inside = 1; n++ } inside { print > (to n) }
      /-----END/ { inside = 0 }' "$check/carried.pem"
    for certificate in "$check"/carried-*; do
      openssl x509 -in "$certificate" -noout -ext basicConstraints 2>/dev/null | grep -q 'CA:TRUE' ||
        cp "$certificate" "$check/signer.pem"
    done
    cafile=$check/carried.pem
  else
    cp "$signer_folder/signer.pem" "$check/signer.pem"
  fi
  fingerprint=$(openssl x509 -in "$check/signer.pem" -noout -fingerprint -sha256 | sed 's/.*=//')
  /usr/bin/python3 -m zipfile -e "$stage"/*-portable.zip "$check/portable"
  msiextract -C "$check/msi" "$stage"/*-x64.msi >/dev/null
  # Every signed Windows file, the program inside the zip and the MSI
  # included.
  files=("$stage"/*-setup.exe "$stage"/*-x64.msi "$check"/portable/*/zemvaro.exe)
  mapfile -t -O ${#files[@]} files < <(find "$check/msi" -name zemvaro.exe)
  packaging/windows/check_signed.sh "$check/signer.pem" "$cafile" "${files[@]}"
  signed=$version-signatures
  mkdir "$check/$signed"
  cp "$windows"/signatures/*.pem "$check/$signed/"
  /usr/bin/python3 packaging/make_zip.py "$stage/$signed.zip" "$check" "$signed" \
    "$SOURCE_DATE_EPOCH"
  echo "== signed by the certificate with the SHA-256 fingerprint $fingerprint"
else
  echo "== the Windows files are NOT signed (no --sign given)"
fi

# The sums in the same order in every locale.
(cd "$stage" && export LC_ALL=C && sums=$(sha256sum -- *) && echo "$sums" >SHA256SUMS)
if [ -n "$signer" ]; then
  /usr/bin/python3 packaging/signer.py cms "$signer_folder" "$stage/SHA256SUMS" \
    "$stage/SHA256SUMS.p7s"
  openssl cms -verify -binary -inform DER -in "$stage/SHA256SUMS.p7s" -content "$stage/SHA256SUMS" \
    -CAfile "$cafile" -purpose any -signer "$check/sums-signer.pem" -out /dev/null \
    2>"$check/verify.log" || { cat "$check/verify.log"; echo "release: SHA256SUMS.p7s does not verify" >&2; exit 1; }
  [ "$(openssl x509 -in "$check/sums-signer.pem" -noout -fingerprint -sha256 | sed 's/.*=//')" = \
    "$fingerprint" ] || { echo "release: SHA256SUMS.p7s is signed by another certificate" >&2; exit 1; }
  echo "verified: SHA256SUMS.p7s"
fi

# For anyone to read, whatever the builder's umask.
chmod 0644 "$stage"/*

rm -rf build-release/dist.previous
[ ! -e dist ] || mv dist build-release/dist.previous
mv "$stage" dist
echo "== dist/"
ls -l dist
