#!/bin/sh
# The design file type as a Debian system installs it: compiled with the system's types into one
# mime database (here a private one), then looked up by Qt the way file managers do.
#   design_mime_type_test.sh TYPE.xml orv_app_tests
set -eu
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/mime/packages"
cp /usr/share/mime/packages/*.xml "$1" "$tmp/mime/packages/"
PKGSYSTEM_ENABLE_FSYNC=0 update-mime-database "$tmp/mime" 2>/dev/null
ORV_MIME_DATABASE="$tmp" XDG_DATA_HOME="$tmp" XDG_DATA_DIRS="$tmp" QT_QPA_PLATFORM=offscreen \
  "$2" DesignMimeTypeTest
