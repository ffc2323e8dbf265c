#!/usr/bin/env bash
# Opens a project in the Quillmark window from the build tree. The sample
# project is copied into the build folder first (once), so working in it
# never changes the copy kept in the repository.
set -euo pipefail
build="${1:-build}"
project="${2:-examples/AuroraLamp.hff}"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the" >&2
  echo "     Quillmark window cannot open here. Start it from a desktop session, or" >&2
  echo "     use the command-line tool, for example:" >&2
  echo "       $build/bin/quillmark-cli tree $project" >&2
  exit 2
fi

if [ "$project" = "examples/AuroraLamp.hff" ]; then
  sample="$build/sample"
  if [ ! -f "$sample/AuroraLamp.hff" ]; then
    mkdir -p "$sample"
    cp -R examples/AuroraLamp examples/AuroraLamp.hff "$sample/"
  fi
  project="$sample/AuroraLamp.hff"
fi

exec "$build/bin/quillmark" "$project"
