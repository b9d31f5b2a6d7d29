# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# What a walk with Debian's screen reader Orca needs, for the window's walk
# (orca_walk.sh) and the page's (orca_page_walk.sh); sourced by both after
# tests/lib.sh, inside a private X server and D-Bus session: a home of its own, Bulgarian, the
# accessibility bus, a window manager (Orca presents only what happens in
# the active window), speech into no sound device, and Orca itself with its
# debug log, whose spoken lines the walk checks.
#
#   orca_start                 the daemons, then Orca, until it has spoken
#   start LOG COMMAND...       in the background, stopped at exit
#   press KEY                  an xdotool key, then until Orca is done with it
#   settle COUNT SECONDS       until Orca says more than COUNT things, then idle
#   orca_said                  what Orca has said so far, a line each
#   orca_check TRANSCRIPT LINE...  writes what Orca said, a line each, and
#                              fails unless every LINE is one of them, whole

# Orca will not start beside another Orca of the same user, a desktop's own
# included, and replacing that one is not ours to do.
if pgrep -u "$(id -u)" -x orca >/dev/null; then
  echo "FAIL: another Orca of this user is running; this one would refuse to start" >&2
  exit 1
fi

work=$(mktemp -d)
pids=()
orca_stop() {
  local i
  # Newest first: the program before Orca, Orca before its speech server.
  # Orca acts on SIGTERM only once some event wakes it up, maybe never.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || continue
    until_true 5 gone "${pids[i]}" || kill -9 "${pids[i]}" 2>/dev/null || true
  done
  # A browser's own children (renderers, crash handlers), named by our folder.
  for i in $(pgrep -u "$(id -u)" -f "$work" || true); do
    [ "$i" != $$ ] && kill "$i" 2>/dev/null || true
  done
  # Orca's full debug log tells why a phrase was not said; keep it on request.
  if [ -n "${ZEMVARO_ORCA_LOG:-}" ] && [ -e "$work/orca.log" ]; then cp "$work/orca.log" "$ZEMVARO_ORCA_LOG"; fi
  rm -rf "$work"
}
trap orca_stop EXIT
trap 'exit 1' INT TERM HUP # or bash would die without running orca_stop
# start LOG COMMAND...; disowned, as bash would report each one killed.
start() { "${@:2}" >>"$work/$1.log" 2>&1 & pids+=($!); disown; }
gone() { ! kill -0 "$1" 2>/dev/null; }
fail_log=$work/daemons.log

unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR LANGUAGE SPEECHD_ADDRESS
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  XDG_CACHE_HOME="$work/cache" XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work/runtime" \
  TMPDIR="$work/tmp"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_DATA_HOME/orca" "$work/locale" "$TMPDIR"
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
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'CONF'
AudioOutputMethod "libao"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
CONF
# Orca's debug log is block-buffered: what it said last would be lost.
cat >"$XDG_DATA_HOME/orca/orca-customizations.py" <<'CONF'
from orca import debug
debug.debugFile.reconfigure(line_buffering=True)
CONF

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

orca_start() {
  start daemons /usr/libexec/at-spi-bus-launcher --launch-immediately
  start daemons openbox --sm-disable --startup "touch $work/wm-ready"
  until_true 20 test -e "$work/wm-ready" || fail "openbox never started"
  # Started here rather than by Orca on demand, so that it is ours to stop.
  # Its log lists every voice of every language: kept apart.
  start speechd speech-dispatcher --run-single --timeout 0
  until_true 20 test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ||
    fail "speech-dispatcher never started"
  # No braille display: Orca would retry BrlAPI on every window.
  start daemons orca --disable braille --debug-file "$log"
  settle 0 30 || fail "Orca never spoke"
}

# What Orca has said so far, one utterance a line. In the log, "TIME -
# SPEECH OUTPUT: 'TEXT'" then the voice; the lines of a multi-line TEXT go on
# indented by 18 spaces.
orca_said() {
  perl -0777 -ne 'while (/^\S+ - SPEECH OUTPUT: \x27(.*?)\x27 ?(?:voice=\S+?)?(?:\{.*?\}|None)$/msg) {
    ($t = $1) =~ s/\n {18}/ /g; $t =~ s/ +$//; print "$t\n" if length $t }' "$log"
}

orca_check() {
  local transcript=$1 missing=0 line
  shift
  orca_said >"$transcript"
  for line in "$@"; do
    if ! grep -qxF -- "$line" "$transcript"; then
      echo "FAIL: Orca never said '$line'" >&2
      missing=1
    fi
  done
  [ "$missing" = 0 ] || { sed 's/^/  said: /' "$transcript" >&2; exit 1; }
}
