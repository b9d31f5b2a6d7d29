#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Walks the web page in a real browser window (Chromium or Firefox ESR) as a
# blind pupil would, read by Orca in Bulgarian, as orca_walk.sh walks the
# Linux window: types 7, Tab, Space on "Сметни", Tab into each list, Tab to
# the report; back to the input, 2 and Space, Enter on the box; back again,
# 9e9 and Space, Enter on the box. Writes what Orca said, one utterance a
# line, and fails unless every EXPECTED_LINE is one of them, whole, if the
# project's web address was said, and if the page said the program's name
# more than once at load. (The browser's frame names it too when the page's
# title arrives before the window is activated, and whether Orca hears the
# page's load before its focus is a race between the browser's events: no
# page can settle either, so the walk shows what was heard at load.)
#
#   orca_page_walk.sh chromium|firefox SITE_DIR TRANSCRIPT_OUT WEB_ADDRESS PROGRAM_NAME \
#                     [EXPECTED_LINE...]
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
private_x_and_bus 1024x768 "$@"

browser=$1
site=$2
transcript=$3
address=$4
name=$5
shift 5
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=orca_session.sh
. "$here/orca_session.sh"

# The browsers look for a screen reader on the bus only as they start: Orca
# comes first.
orca_start
start serve /usr/bin/python3 "$here/../../web/serve.py" "$site" 0
until_true 10 grep -qs '^http' "$work/serve.log" || fail "the page was never served"
url=$(head -n 1 "$work/serve.log")

profile="$work/profile"
mkdir -p "$profile"
case $browser in
  chromium)
    mkdir -p "$profile/Default"
    echo '{"intl":{"accept_languages":"bg"},"translate":{"enabled":false}}' \
      >"$profile/Default/Preferences"
    # tests/web/browser.py's, less headless; as root, no sandbox.
    sandbox=()
    [ "$(id -u)" != 0 ] || sandbox=(--no-sandbox --test-type)
    command=(/usr/lib/chromium/chromium "${sandbox[@]}" --disable-gpu --disable-dev-shm-usage
      --disable-quic --no-first-run --no-default-browser-check --disable-background-networking
      --disable-component-update --disable-sync --password-store=basic
      "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1"
      --disable-features=Translate,MediaRouter --user-data-dir="$profile" --lang=bg
      --window-position=0,0 --window-size=1024,768 "$url")
    ;;
  firefox)
    cp "$here/../web/firefox-user.js" "$profile/user.js"
    export MOZ_CRASHREPORTER_DISABLE=1 MOZ_DISABLE_NONLOCAL_CONNECTIONS=1
    command=(firefox-esr --no-remote --new-instance --profile "$profile" --width 1024
      --height 768 "$url")
    ;;
  *) fail "no browser $browser" ;;
esac
before=$(spoken)
start browser "${command[@]}"
page=${pids[-1]}
timeout 90 /usr/bin/python3 "$here/page_ready.py" "$url" 80 >>"$work/daemons.log" 2>&1 ||
  fail "the page never showed its window with the input focused"
settle "$before" 30 || true
settle "$(spoken)" 3 || true
orca_said >"$work/at_load"

for key in 7 Tab space Tab Tab Tab shift+Tab shift+Tab shift+Tab shift+Tab ctrl+a BackSpace \
  2 Tab space Return shift+Tab ctrl+a BackSpace 9 e 9 Tab space Return; do
  press "$key"
done
kill -0 "$page" 2>/dev/null || fail "the browser is gone"
orca_check "$transcript" "$@"
if grep -qF -- "$address" "$transcript"; then
  grep -F -- "$address" "$transcript" | sed 's/^/  said: /' >&2
  fail "Orca said the web address"
fi
# Said by the page once at most: not by its frame, and not again by the
# same event, which Chromium sometimes sends twice.
by_page=$(grep -vE ' рамка\.$' "$work/at_load" | sort -u | grep -cF -- "$name" || true)
sed 's/^/  at load: /' "$work/at_load"
[ "$by_page" -le 1 ] || fail "the page said the program's name $by_page times at load"
echo "PASS: Orca said all $# expected lines in $browser ($(wc -l <"$transcript") utterances in $transcript)"
