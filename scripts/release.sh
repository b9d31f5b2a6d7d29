#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# The release command: builds, from clean build folders, the .deb, the
# Windows installer, the MSI, the portable zip and the web page's zip into
# dist/, each named with the version, with their SHA-256 sums. Run the test
# command first.
#
# Every date inside the files is the commit's (SOURCE_DATE_EPOCH), so that
# the same commit gives the same bytes whoever builds it, wherever, whenever
# (scripts/rebuild.sh checks it).
#
# Signing: with ZEMVARO_SIGN_PKCS12 (a PKCS#12 file) and
# ZEMVARO_SIGN_PASSWORD in the environment, and ZEMVARO_SIGN_TIMESTAMP_URL
# if an RFC 3161 server is to vouch for the time, the Windows files are
# signed (packaging/windows/sign.sh), each checked afterwards against
# ZEMVARO_SIGN_CAFILE (by default the system's certificate authorities), and
# their signatures alone go into dist/ as well, so that anyone can put them
# onto a rebuild of their own. With ZEMVARO_SIGNATURES naming a folder of
# such signatures instead, they are attached rather than made.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
jobs=$(nproc)
rm -rf build-release build-release-windows build-release-web dist

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) ||
    { echo "not a git checkout: give SOURCE_DATE_EPOCH, the sources' date" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH
echo "== dated $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC') (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"

sign=OFF
if [ -n "${ZEMVARO_SIGNATURES:-}" ]; then
  echo "== attaching the signatures in $ZEMVARO_SIGNATURES"
  sign=ON
elif [ -n "${ZEMVARO_SIGN_PKCS12:-}" ]; then
  [ -r "$ZEMVARO_SIGN_PKCS12" ] || { echo "ZEMVARO_SIGN_PKCS12: no such file" >&2; exit 1; }
  [ -n "${ZEMVARO_SIGN_PASSWORD+set}" ] || { echo "ZEMVARO_SIGN_PASSWORD is not set" >&2; exit 1; }
  echo "== signing the Windows files with $ZEMVARO_SIGN_PKCS12"
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
mkdir dist
cp build-release/package/*.deb "$windows"/*-setup.exe "$windows"/*-x64.msi \
   "$windows"/*-portable.zip build-release-web/web/*-web.zip dist/

# Debian's checker must have nothing to say (its remark about running as root
# is about how it runs, not about the package).
report=$(lintian dist/*.deb 2>&1 | grep -vx 'running with root privileges is not recommended!' || true)
if [ -n "$report" ]; then
  echo "$report"
  exit 1
fi

if [ "$sign" = ON ]; then
  check=$(mktemp -d)
  trap 'rm -rf "$check"' EXIT
  /usr/bin/python3 -m zipfile -e dist/*-portable.zip "$check"
  # Every Windows file, the program inside the zip included, must verify.
  # Attached signatures are not checked here: whoever rebuilds compares the
  # files themselves, and trusts the certificate or not on their own.
  for file in dist/*-setup.exe dist/*-x64.msi "$check"/*/zemvaro.exe; do
    [ -z "${ZEMVARO_SIGNATURES:-}" ] || break
    if ! osslsigncode verify -CAfile "${ZEMVARO_SIGN_CAFILE:-/etc/ssl/certs/ca-certificates.crt}" \
         -in "$file" >"$check/verify.log" 2>&1; then
      cat "$check/verify.log"
      echo "the signature of $file does not verify" >&2
      exit 1
    fi
    echo "verified: ${file##*/}"
  done
  signatures=$(basename dist/*-setup.exe -setup.exe)-signatures
  mkdir "$check/$signatures"
  cp "$windows"/signatures/*.pem "$check/$signatures/"
  /usr/bin/python3 packaging/make_zip.py "dist/$signatures.zip" "$check" "$signatures" \
    "$SOURCE_DATE_EPOCH"
else
  echo "== the Windows files are NOT signed (no ZEMVARO_SIGN_PKCS12 given)"
fi

# In the same order in every locale.
(cd dist && export LC_ALL=C && sums=$(sha256sum -- *) && echo "$sums" >SHA256SUMS)
echo "== dist/"
ls -l dist
