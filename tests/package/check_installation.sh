#!/usr/bin/env bash
# Checks an installation of the Quillmark package below ROOT ("/" for the real
# one, or a folder the .deb was unpacked into): its files, the desktop files'
# validity, the manual pages, and the installed programs at work: a project
# created, published in every format, and opened in the window under Xvfb.
# Usage: check_installation.sh ROOT VERSION WORK_FOLDER
set -uo pipefail
root=${1%/}
version=$2
work=$3
usr="$root/usr"
app_id=app.quillmark.Quillmark
failed=0

check() { # description, then a command that must succeed
  local what="$1"; shift
  if ! "$@"; then failed=$((failed + 1)); echo "FAIL: $what"; fi
}
quietly() { # runs a command, showing its output only when it fails
  local output
  output=$("$@" 2>&1) || { echo "$output"; return 1; }
}
contains() { grep -qF -- "$2" <<<"$1"; }

# The files where the desktop and the programs look for them.
for file in bin/quillmark bin/quillmark-cli \
    share/quillmark/AppFiles/editor/editor.html share/quillmark/AppFiles/webhelp/app.html \
    share/quillmark/styles/default.css share/quillmark/transl.sv \
    share/quillmark/manual/index.html share/quillmark/Quillmark.chm \
    share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/mime/packages/$app_id.xml \
    share/icons/hicolor/scalable/apps/$app_id.svg \
    share/icons/hicolor/48x48/apps/$app_id.png share/icons/hicolor/256x256/apps/$app_id.png \
    share/icons/hicolor/scalable/mimetypes/application-x-quillmark-project.svg \
    share/icons/hicolor/48x48/mimetypes/application-x-quillmark-project.png \
    share/man/man1/quillmark.1.gz share/man/man1/quillmark-cli.1.gz; do
  check "installed: $file" test -s "$usr/$file"
done

check "desktop file is valid" quietly desktop-file-validate "$usr/share/applications/$app_id.desktop"
check "metainfo is valid" quietly appstreamcli validate --no-net --no-color \
  "$usr/share/metainfo/$app_id.metainfo.xml"
# The MIME entry, compiled as the desktop's database would be.
mkdir -p "$work/mime/packages"
cp "$usr/share/mime/packages/$app_id.xml" "$work/mime/packages/"
check "MIME entry compiles" quietly update-mime-database "$work/mime"
check "*.hff is a Quillmark project" \
  grep -qx '50:application/x-quillmark-project:\*\.hff' "$work/mime/globs2"
check "the file type has its icon" \
  grep -qx 'application/x-quillmark-project:application-x-quillmark-project' "$work/mime/icons"

# The manual pages: clean roff, and every command and option the programs know.
cli="$usr/bin/quillmark-cli"
gui="$usr/bin/quillmark"
for page in quillmark quillmark-cli; do
  warnings=$(MANWIDTH=100 man --warnings -l "$usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  check "$page(1) renders without warnings" test -z "$warnings"
done
cli_page=$(MANWIDTH=200 man -l "$usr/share/man/man1/quillmark-cli.1.gz" 2>/dev/null)
usage=$("$cli" --help)
while read -r command; do
  check "quillmark-cli(1) describes '$command'" grep -qE "^ {7}$command( |$)" <<<"$cli_page"
done < <(grep -oE '^  [a-z][a-z-]*' <<<"$usage" | tr -d ' ')
for option in $(grep -oE -- '--[a-z][a-z-]*' <<<"$usage" | sort -u); do
  check "quillmark-cli(1) describes $option" contains "$cli_page" "$option"
done
gui_page=$(MANWIDTH=200 man -l "$usr/share/man/man1/quillmark.1.gz" 2>/dev/null)
for option in $(env -u DISPLAY -u WAYLAND_DISPLAY "$gui" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
  check "quillmark(1) describes $option" contains "$gui_page" "$option"
done
for page in "$cli_page" "$gui_page"; do
  check "a manual page has the exit statuses" grep -qE '^EXIT STATUS' <<<"$page"
done

# The programs, from their installed places, for a user with an empty home.
export HOME="$work/home"
unset APPDATA XDG_DATA_HOME
mkdir -p "$HOME"
check "quillmark-cli --version" test "$("$cli" --version)" = "quillmark-cli $version"
check "quillmark --version without a display" \
  test "$(env -u DISPLAY -u WAYLAND_DISPLAY "$gui" --version)" = "Quillmark $version"

project="$work/projects/Guide.hff"
mkdir -p "$work/projects"
check "new" test "$("$cli" new "$project" --title "Package Test")" = "$project"
check "the project gets the installed editor page" \
  cmp -s "$usr/share/quillmark/AppFiles/editor/editor.html" \
  "$work/projects/Guide/internal/editor/editor.html"
published=$("$cli" publish "$project" --format all 2>"$work/publish.err")
check "publish --format all" test $? -eq 0
build="$work/projects/Guide/build"
check "publish prints the three outputs" test "$published" = \
  "$build/webhelp/index.html"$'\n'"$build/chm/help.chm"$'\n'"$build/pdf/manual.pdf"
check "WebHelp site" grep -q "Package Test" "$build/webhelp/index.html"
check "CHM file" test "$(head -c 4 "$build/chm/help.chm")" = "ITSF"
check "PDF manual" test "$(head -c 5 "$build/pdf/manual.pdf")" = "%PDF-"
[ $failed -eq 0 ] || cat "$work/publish.err"

# The window on the project, on a private X server: its title names the project.
window_check='
  QUILLMARK_UPDATE_URL=off "$1" "$2" >"$3" 2>&1 &
  pid=$!
  for try in $(seq 1 120); do
    if xwininfo -root -tree 2>/dev/null | grep -q "\"Quillmark - Package Test \["; then
      kill $pid; wait $pid 2>/dev/null; exit 0
    fi
    kill -0 $pid 2>/dev/null || break
    sleep 0.5
  done
  kill $pid 2>/dev/null; wait $pid 2>/dev/null; cat "$3"; exit 1'
check "the window opens the project" xvfb-run -a -s "-screen 0 1280x800x24" \
  bash -c "$window_check" window_check "$gui" "$project" "$work/window.log"

# An installed program keeps its settings and workspace in the user's folder.
check "per-user folder in ~/.local/share" test -d "$HOME/.local/share/Quillmark"
check "nothing written beside the programs" test ! -e "$usr/bin/Quillmark"

[ $failed -eq 0 ] && echo "installation checks passed" || echo "$failed installation checks failed"
exit $((failed > 0))
