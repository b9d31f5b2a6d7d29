#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# The web page's run command: installs what is missing, builds the page and
# serves it on this computer only, at http://127.0.0.1:8000/ (printed), until
# Ctrl+C. Any other port: scripts/serve-web.sh PORT.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web -j"$(nproc)" --target zemvaro_site
exec /usr/bin/python3 web/serve.py build-web/web/site "${1:-8000}"
