#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# The test command: installs what is missing, builds, and runs every test
# through CTest, five times over:
#   build/          the program, its tests and a smoke run of the benchmarks
#   build-asan/     the core and its tests under AddressSanitizer and UBSan
#   build-fuzz/     the core fuzzed with libFuzzer for a bounded time
#   build-windows/  zemvaro.exe cross-built with MinGW-w64, tested under Wine
#   build-web/      the web page, its core in WebAssembly tested under node
#                   and the page in headless Chromium
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

jobs=$(nproc)
export CTEST_OUTPUT_ON_FAILURE=1

echo "== build and test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs"

echo "== core under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZEMVARO_SANITIZE=ON \
      -DZEMVARO_WINDOW=OFF -DZEMVARO_BENCH=OFF
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan -j"$jobs"

echo "== core under libFuzzer"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DZEMVARO_FUZZ=ON -DZEMVARO_WINDOW=OFF -DZEMVARO_TESTS=OFF -DZEMVARO_BENCH=OFF
cmake --build build-fuzz -j"$jobs"
ctest --test-dir build-fuzz

echo "== zemvaro.exe, cross-built with MinGW-w64 and tested under Wine"
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release
cmake --build build-windows -j"$jobs"
ctest --test-dir build-windows

echo "== the web page, built with emscripten and tested in Chromium"
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release
cmake --build build-web -j"$jobs"
ctest --test-dir build-web
