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

if [ -z "${ZEMVARO_UNDER_XVFB:-}" ]; then
  exec env ZEMVARO_UNDER_XVFB=1 "$(dirname "$0")/../xvfb.sh" 1024x768 \
    dbus-run-session -- "$0" "$@"
fi

executable=$1
transcript=$2
shift 2
# Orca will not start beside another Orca of the same user, a desktop's own
# included, and replacing that one is not ours to do.
if pgrep -u "$(id -u)" -x orca >/dev/null; then
  echo "FAIL: another Orca of this user is running; this one would refuse to start" >&2
  exit 1
fi

work=$(mktemp -d)
pids=()
stop() {
  local i
  # Newest first: the program before Orca, Orca before its speech server.
  # Orca acts on SIGTERM only once some event wakes it up, maybe never.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || continue
    until_true 5 gone "${pids[i]}" || kill -9 "${pids[i]}" 2>/dev/null || true
  done
  # Orca's full debug log tells why a phrase was not said; keep it on request.
  if [ -n "${ZEMVARO_ORCA_LOG:-}" ] && [ -e "$work/orca.log" ]; then cp "$work/orca.log" "$ZEMVARO_ORCA_LOG"; fi
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 1' INT TERM HUP # or bash would die without running stop
# start LOG COMMAND...; disowned, as bash would report each one killed.
start() { "${@:2}" >>"$work/$1.log" 2>&1 & pids+=($!); disown; }
gone() { ! kill -0 "$1" 2>/dev/null; }
fail() {
  echo "FAIL: $1" >&2
  tail -n 20 "$work/daemons.log" >&2
  exit 1
}
until_true() { # SECONDS COMMAND...: false if COMMAND stays false that long
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR LANGUAGE SPEECHD_ADDRESS
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  XDG_CACHE_HOME="$work/cache" XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_DATA_HOME/orca" "$work/locale"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Orca speaks the language of the locale. The system need not have
# Bulgarian, so it is built here; bash itself cannot load it (glibc reads
# LOCPATH only at start) and would warn.
localedef -i bg_BG -f UTF-8 "$work/locale/bg_BG.UTF-8"
export LOCPATH="$work/locale" LANG=bg_BG.UTF-8 LC_ALL=bg_BG.UTF-8 2>/dev/null

# With no sound device the speech module blocks on its first sentence and
# Orca, waiting on it, says nothing more. libao's null driver takes all.
echo default_driver=null >"$HOME/.libao"
# One module named: otherwise every installed one is tried at start.
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'EOF'
AudioOutputMethod "libao"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
EOF
# Orca's debug log is block-buffered: what it said last would be lost.
cat >"$XDG_DATA_HOME/orca/orca-customizations.py" <<'EOF'
from orca import debug
debug.debugFile.reconfigure(line_buffering=True)
EOF

start daemons /usr/libexec/at-spi-bus-launcher --launch-immediately
# Orca presents only what happens in the active window; it takes a window
# manager to make one active.
start daemons openbox --sm-disable --startup "touch $work/wm-ready"
until_true 20 test -e "$work/wm-ready" || fail "openbox never started"
# Started here rather than by Orca on demand, so that it is ours to stop.
# Its log lists every voice of every language: kept apart.
start speechd speech-dispatcher --run-single --timeout 0
until_true 20 test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ||
  fail "speech-dispatcher never started"

log="$work/orca.log"
: >"$log"
spoken() { grep -c "SPEECH OUTPUT: '" "$log" || true; }
more_spoken() { [ "$(spoken)" -gt "$1" ]; }
log_still() { # the log has not grown for half a second: Orca is idle
  local size
  size=$(stat -c %s "$log")
  sleep 0.5
  [ "$size" = "$(stat -c %s "$log")" ]
}
# Until Orca says something after its COUNT-th utterance, or SECONDS pass
# (then false); then until it has done with the event, which may go on
# speaking after the first utterance.
settle() {
  local said=0
  until_true "$2" more_spoken "$1" || said=1
  until_true 20 log_still || fail "Orca never fell idle"
  return $said
}
press() {
  local before
  before=$(spoken)
  xdotool key "$1"
  settle "$before" 5 || true
}

# No braille display: Orca would retry BrlAPI on every window.
start daemons orca --disable braille --debug-file "$log"
settle 0 30 || fail "Orca never spoke"
# Qt switches its accessibility on when Orca has said so on the bus, as on a
# pupil's desktop; QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 would hide it if not.
start daemons "$executable"
settle "$(spoken)" 30 || fail "Orca never announced the program's window"
program=${pids[-1]}

# The walk: the input has the focus at start.
for key in 7 Tab space Tab Down Tab Tab; do
  press "$key"
done
# "TIME - SPEECH OUTPUT: 'TEXT'" then the voice; the lines of a multi-line
# TEXT go on indented by 18 spaces.
perl -0777 -ne 'while (/^\S+ - SPEECH OUTPUT: \x27(.*?)\x27 ?(?:voice=\S+?)?(?:\{.*?\}|None)$/msg) {
  ($t = $1) =~ s/\n {18}/ /g; $t =~ s/ +$//; print "$t\n" if length $t }' "$log" >"$transcript"
kill -0 "$program" 2>/dev/null || fail "the program is gone"

missing=0
for line in "$@"; do
  if ! grep -qxF -- "$line" "$transcript"; then
    echo "FAIL: Orca never said '$line'" >&2
    missing=1
  fi
done
[ "$missing" = 0 ] || { sed 's/^/  said: /' "$transcript" >&2; exit 1; }
echo "PASS: Orca said all $# expected lines ($(wc -l <"$transcript") utterances in $transcript)"
