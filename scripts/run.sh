#!/usr/bin/env bash
# The run command: installs what is missing, builds, and opens the window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target zemvaro
exec build/app/zemvaro
