#!/usr/bin/env bash
# Validates the desktop entry and the AppStream metadata, and checks that
# they name each other and the icon by the same application id.
#   check_packaging_files.sh APP_ID DESKTOP_FILE METAINFO_FILE
set -uo pipefail
app_id=$1 desktop=$2 metainfo=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"

[[ $(basename "$desktop") == "$app_id.desktop" ]] || fail "the desktop file is not named $app_id.desktop"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry does not use the icon $app_id"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metadata id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metadata does not launch $app_id.desktop"
echo PASS
