#!/usr/bin/env bash
# Publishes the user manual (docs/manual) beside the program: Quillmark.chm for
# Help > User Manual, and a WebHelp copy in manual/ for desktops without a CHM
# viewer. Works on a copy, so the source tree is never written to.
# Usage: publish_manual.sh QUILLMARK_CLI MANUAL_SOURCE_FOLDER PROGRAM_FOLDER
set -euo pipefail
cli=$1
source=$2
program=$3
work="$program/../manual-project"

rm -rf "$work"
mkdir -p "$work"
cp -r "$source"/. "$work"/
"$cli" publish "$work/Quillmark.hff" --format webhelp > /dev/null
rm -rf "$program/manual"
cp -r "$work/Quillmark/build/webhelp" "$program/manual"

# The CHM needs chmcmd; without it the WebHelp copy still serves the Help menu.
if "$cli" publish "$work/Quillmark.hff" --format chm > /dev/null; then
  cp "$work/Quillmark/build/chm/help.chm" "$program/Quillmark.chm"
else
  echo "publish_manual: Quillmark.chm not built (see above); the WebHelp copy is there" >&2
fi
