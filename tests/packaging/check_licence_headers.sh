#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

# Fails if a source, build or script file does not open with the licence
# line and the copyright line (after a #! or <?xml line, where it has one).
# Read-mes, pictures and test data are not code; Debian's changelog and
# copyright formats, and JSON, have no comments and say it in their own
# words (npm's package.json in its "license").
#
#   check_licence_headers.sh SOURCE_DIR
set -euo pipefail
cd "$1"

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files)
else
  files=$(find . -type f -not -path './build*' -not -path './.git/*' -not -path './dist/*' |
    sed 's|^\./||')
fi
missing=0
while IFS= read -r file; do
  case "$file" in
    *.png | *.ico | *.md | *.txt | *.txt.in | *.json | LICENSE | tests/fuzz/corpus/* | packaging/debian/*) [[ "$file" == *CMakeLists.txt ]] || continue ;;
  esac
  head=$(head -n 4 "$file")
  if ! grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' <<<"$head" ||
    ! grep -q 'SPDX-FileCopyrightText: [0-9]\{4\} The Zemvaro developers' <<<"$head"; then
    echo "no licence header: $file"
    missing=1
  fi
done <<<"$files"
exit "$missing"
