#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Fails on any error or warning in the desktop entry or the AppStream metainfo.
#
#   validate_metadata.sh DESKTOP_ENTRY METAINFO
set -euo pipefail
desktop_entry=$1
metainfo=$2

report=$(desktop-file-validate "$desktop_entry" 2>&1) || { echo "$report"; exit 1; }
if [ -n "$report" ]; then
  echo "$report"
  exit 1
fi

# Infos are allowed: one says that the .example domain of the id is no
# known top-level domain, which it is not meant to be.
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || { echo "$report"; exit 1; }
echo "$report"
if grep -qE '^(E|W):' <<<"$report"; then
  exit 1
fi
