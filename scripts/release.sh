#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# The release command: builds, from clean build folders, the .deb, the
# Windows installer, the portable zip and the web page's zip into dist/, each
# named with the version, with their SHA-256 sums. Run the test command first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
jobs=$(nproc)
rm -rf build-release build-release-windows build-release-web dist

echo "== the .deb"
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DZEMVARO_TESTS=OFF -DZEMVARO_BENCH=OFF
cmake --build build-release -j"$jobs"
cpack --config build-release/CPackConfig.cmake -B build-release/package

echo "== the Windows installer and the portable zip"
cmake -S . -B build-release-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DZEMVARO_TESTS=OFF -DZEMVARO_BENCH=OFF
cmake --build build-release-windows -j"$jobs"

echo "== the web page's zip"
emcmake cmake -S . -B build-release-web -DCMAKE_BUILD_TYPE=Release -DZEMVARO_TESTS=OFF \
      -DZEMVARO_BENCH=OFF
cmake --build build-release-web -j"$jobs"

mkdir dist
cp build-release/package/*.deb build-release-windows/packaging/windows/*-setup.exe \
   build-release-windows/packaging/windows/*-portable.zip build-release-web/web/*-web.zip dist/

# Debian's checker must have nothing to say (its remark about running as root
# is about how it runs, not about the package).
report=$(lintian dist/*.deb 2>&1 | grep -vx 'running with root privileges is not recommended!' || true)
if [ -n "$report" ]; then
  echo "$report"
  exit 1
fi

(cd dist && sha256sum -- * >SHA256SUMS)
echo "== dist/"
ls -l dist
