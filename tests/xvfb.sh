#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Runs COMMAND under a private X server on a free display. The server never
# resets: by default it resets whenever its last client leaves and refuses
# connections meanwhile, so a short-lived client (the accessibility bus
# writing its address to the root window, an xdotool search) could leave the
# program under test unable to connect, at random.
#
#   xvfb.sh WIDTHxHEIGHT COMMAND [ARGUMENT...]
set -euo pipefail
size=$1
shift
exec xvfb-run -a -s "-screen 0 ${size}x24 -noreset" "$@"
