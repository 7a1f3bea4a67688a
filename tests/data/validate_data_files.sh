#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The files installed for the desktop pass the validators that desktops and software centres
# use, the manual page the checks of man, and the metainfo and the manual page name the version
# being built.
# Usage: validate_data_files.sh DATA_DIR VERSION MANUAL_PAGE
set -euo pipefail
data=$1
version=$2
manual=$3

for tool in desktop-file-validate appstreamcli update-mime-database man; do
    command -v "$tool" >/dev/null ||
        { echo "SKIPPED: $tool is missing (scripts/install-deps installs it)"; exit 77; }
done

desktop-file-validate "$data/tallisto.desktop"
appstreamcli validate --no-net "$data/io.github.tallisto.Tallisto.metainfo.xml"

# update-mime-database refuses a package file that does not follow the shared MIME database
# format; it works on a copy so that nothing is written beside the sources.
work=$(mktemp -d "${TMPDIR:-/tmp}/tallisto-data.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/mime/packages"
cp "$data/tallisto-mime.xml" "$work/mime/packages/tallisto.xml"
XDG_DATA_DIRS=$work update-mime-database "$work/mime" 2>"$work/errors"
if [ -s "$work/errors" ]; then
    cat "$work/errors"
    exit 1
fi
grep -qx "application/x-tallisto:\*.tly" "$work/mime/globs" ||
    { echo "the file type does not claim *.tly"; exit 1; }

grep -q "<release version=\"$version\"" "$data/io.github.tallisto.Tallisto.metainfo.xml" ||
    { echo "the metainfo has no release $version: add it with its date"; exit 1; }

# groff's warnings of the page as man formats it: a bad macro, a line it cannot fill.
MANWIDTH=80 man --warnings -l "$manual" 2>"$work/errors" >"$work/manual.txt"
if [ -s "$work/errors" ]; then
    cat "$work/errors"
    exit 1
fi
grep -q "^Tallisto $version " "$work/manual.txt" ||
    { echo "the manual page does not name the version $version"; exit 1; }
echo "the desktop entry, the metainfo, the file type and the manual page are valid"
