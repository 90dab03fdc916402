#!/bin/sh
# The design file type as installed: compiled into a mime database of its own beside the system's,
# then looked up by Qt the way file managers do.
#   design_mime_type_test.sh TYPE.xml orv_app_tests
set -eu
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/mime/packages"
cp "$1" "$tmp/mime/packages/"
update-mime-database "$tmp/mime"
ORV_MIME_DATABASE="$tmp" XDG_DATA_HOME="$tmp" XDG_DATA_DIRS="$tmp:/usr/share" QT_QPA_PLATFORM=offscreen "$2" DesignMimeTypeTest
