#!/usr/bin/env bash
# Starts Quillmark on a project from the build tree. Until the desktop
# window is part of the build, it shows the project's contents tree.
set -euo pipefail
build="${1:-build}"
project="${2:-examples/AuroraLamp.hff}"
if [ -x "$build/bin/quillmark" ]; then
  exec "$build/bin/quillmark" "$project"
fi
echo "Contents of $project:"
exec "$build/bin/quillmark-cli" tree "$project"
