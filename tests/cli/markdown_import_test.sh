#!/usr/bin/env bash
# A Markdown documentation folder (tests/fixtures/markdown: mkdocs.yml nav,
# nested folders, a picture, cross-links with anchors, a table, code, a note
# box, front matter) imported into a new project with quillmark-cli, then
# published to WebHelp, CHM and PDF and checked for link issues.
set -uo pipefail
cli="$1"
docs="$(cd "$(dirname "$0")/../fixtures/markdown" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() { # description, then a command that must succeed
  local what="$1"; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}

"$cli" new "$work/Docs.hff" --title "Aurora Docs" > /dev/null
welcome=$("$cli" tree "$work/Docs.hff" | cut -f1)
imported=$("$cli" import-markdown "$work/Docs.hff" "$docs" --under "$welcome" 2>"$work/err"); rc=$?
check "import-markdown exits 0" test "$rc" -eq 0
titles=$(printf '%s\n' "$imported" | sed 's/[0-9A-F]\{32\}\t//')
check "prints the new topics as tree does" test "$titles" = "$(printf '%s\n' \
  'Home' 'Getting Started' 'User Guide' '  Guide Overview' '  Setup' '  Advanced' \
  '    Tuning the Light' 'Troubleshooting')"
check "the new topics sit under --under" \
  test "$("$cli" tree "$work/Docs.hff" | sed -n 2p)" = "  $(printf '%s\n' "$imported" | head -n 1)"
check "reports the nav entry left out" grep -q '^quillmark-cli: warning:   https://example.com/aurora/releases$' "$work/err"
id_of() { printf '%s\n' "$imported" | grep -P "^ *[0-9A-F]{32}\t$1\$" | sed 's/^ *//' | cut -f1; }
setup="$work/Docs/topics/$(id_of Setup).html"
check "anchored topic link" \
  grep -q "href=\"doc:$(id_of Setup)#pairing\"" "$work/Docs/topics/$(id_of 'Getting Started').html"
check "picture copied" cmp -s "$docs/docs/images/lamp.png" "$work/Docs/assets/images/lamp.png"
check "note box styles in the profile" grep -q '^\.admonition {' "$work/Docs/styles/default.css"
check "code keeps its language" grep -q '<code class="language-python">' "$setup"

out=$("$cli" publish "$work/Docs.hff" --format all 2>"$work/err"); rc=$?
check "publish all exits 0" test "$rc" -eq 0 || cat "$work/err"
build="$work/Docs/build"
check "WebHelp link to the anchor" \
  grep -q "href=\"$(id_of Setup).html#pairing\"" "$build/webhelp/topics/$(id_of 'Getting Started').html"
check "CHM compiled" test -s "$build/chm/help.chm"
check "CHM page keeps the anchor" \
  grep -q "$(id_of Setup).html#pairing" "$build/chm/topics/$(id_of 'Getting Started').html"
check "PDF printed" test -s "$build/pdf/manual.pdf"
check "PDF link leads to the scoped anchor" \
  grep -q "href=\"#$(id_of Setup)--pairing\"" "$build/pdf/manual.html"
check "PDF holds the scoped anchor" grep -q "id=\"$(id_of Setup)--pairing\"" "$build/pdf/manual.html"
check "PDF text holds the table and the note box" \
  bash -c "pdftotext '$build/pdf/manual.pdf' - | grep -q 'Before you pair' && pdftotext '$build/pdf/manual.pdf' - | grep -q 'Pairing'"
links=$("$cli" check-links "$work/Docs.hff"); rc=$?
check "check-links finds no issue" test "$rc" -eq 0 -a "$links" = "No link issues found."

# A link to an anchor the page lacks is a finding.
sed -i 's/#pairing"/#nowhere"/' "$work/Docs/topics/$(id_of 'Getting Started').html"
links=$("$cli" check-links "$work/Docs.hff"); rc=$?
check "check-links reports a missing anchor" test "$rc" -eq 1 -a \
  "$links" = "Getting Started: Missing anchor: doc:$(id_of Setup)#nowhere"

# Bad input: a clear message, exit 1, nothing changed.
tree_before=$("$cli" tree "$work/Docs.hff")
mkdir -p "$work/empty"
err=$("$cli" import-markdown "$work/Docs.hff" "$work/empty" 2>&1 >/dev/null); rc=$?
check "a folder without Markdown fails" test "$rc" -eq 1 -a \
  "$err" = "quillmark-cli: The folder holds no Markdown files: $work/empty"
"$cli" import-markdown "$work/Docs.hff" > /dev/null 2>&1; rc=$?
check "a missing folder argument is wrong usage" test "$rc" -eq 2
check "failed imports change nothing" test "$("$cli" tree "$work/Docs.hff")" = "$tree_before"

echo "markdown import: $passed passed, $failed failed"
test "$failed" -eq 0
