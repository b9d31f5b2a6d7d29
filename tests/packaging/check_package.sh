#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Builds the .deb from BUILD_DIR, unpacks it into a scratch folder, checks its
# files and its control fields, runs lintian on it, and drives the unpacked
# program once end to end.
#
#   check_package.sh BUILD_DIR SOURCE_DIR APP_ID
set -euo pipefail
build=$1
source=$2
app_id=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

(cd "$build" && cpack -B "$work/package") >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$(find "$work/package" -maxdepth 1 -name '*.deb')
[ -n "$deb" ] || fail "no .deb was built"
echo "built $(basename "$deb")"

root="$work/root"
dpkg-deb -x "$deb" "$root"
expected_files=$(sort <<EOF_FILES
usr/bin/zemvaro
usr/share/applications/$app_id.desktop
usr/share/doc/zemvaro/changelog.gz
usr/share/doc/zemvaro/copyright
usr/share/man/bg/man1/zemvaro.1.gz
usr/share/man/man1/zemvaro.1.gz
usr/share/icons/hicolor/128x128/apps/$app_id.png
usr/share/icons/hicolor/16x16/apps/$app_id.png
usr/share/icons/hicolor/256x256/apps/$app_id.png
usr/share/icons/hicolor/32x32/apps/$app_id.png
usr/share/icons/hicolor/48x48/apps/$app_id.png
usr/share/icons/hicolor/64x64/apps/$app_id.png
usr/share/icons/hicolor/scalable/apps/$app_id.svg
usr/share/metainfo/$app_id.metainfo.xml
EOF_FILES
)
actual_files=$(cd "$root" && find . -type f | sed 's|^\./||' | sort)
diff -u <(echo "$expected_files") <(echo "$actual_files") || fail "unexpected file list"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zemvaro ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = 1.00 ] || fail "Version is '$(field Version)'"
[ "$(field Section)" = education ] || fail "Section is '$(field Section)'"
depends=$(field Depends)
echo "Depends: $depends"
for needed in fonts-liberation2 qt6-translations-l10n qt6-qpa-plugins libqt6widgets6 libc6; do
  grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed"
done

# Debian's own checker has nothing to say, errors, warnings or otherwise.
# (Its one remark when run as root is about how it runs, not about the
# package.)
report=$(lintian "$deb" 2>&1 | grep -vx 'running with root privileges is not recommended!' || true)
[ -z "$report" ] || { echo "$report"; fail "lintian"; }
echo "lintian: nothing to report"

# The installed copies must be as valid as the ones in the build tree.
"$source/tests/packaging/validate_metadata.sh" "$root/usr/share/applications/$app_id.desktop" \
  "$root/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null || fail "installed metadata"
grep -qx "Icon=$app_id" "$root/usr/share/applications/$app_id.desktop" || fail "Icon= names no installed icon"

"$source/tests/e2e/drive_window.sh" "$root/usr/bin/zemvaro" 9 "$source/tests/e2e/report_9.txt" \
  "$root/usr/share/applications/$app_id.desktop"
