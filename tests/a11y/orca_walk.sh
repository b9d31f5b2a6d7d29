#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Walks the real program as a blind pupil would, read by Debian's own screen
# reader Orca in Bulgarian, under a private X server, D-Bus session and
# accessibility bus: types 7, Tab, Space on "Сметни", Tab into the sieve
# list, Down, Tab, Tab to the report. Writes what Orca said, one utterance a
# line, and fails unless every EXPECTED_LINE is one of them, whole.
#
#   orca_walk.sh EXECUTABLE TRANSCRIPT_OUT [EXPECTED_LINE...]
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
private_x_and_bus 1024x768 "$@"

executable=$1
transcript=$2
shift 2
# shellcheck source=orca_session.sh
. "$(dirname "$0")/orca_session.sh"

orca_start
# Qt switches its accessibility on when Orca has said so on the bus, as on a
# pupil's desktop; QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 would hide it if not.
start daemons "$executable"
settle "$(spoken)" 30 || fail "Orca never announced the program's window"
program=${pids[-1]}

# The walk: the input has the focus at start.
for key in 7 Tab space Tab Down Tab Tab; do
  press "$key"
done
kill -0 "$program" 2>/dev/null || fail "the program is gone"
orca_check "$transcript" "$@"
echo "PASS: Orca said all $# expected lines ($(wc -l <"$transcript") utterances in $transcript)"
