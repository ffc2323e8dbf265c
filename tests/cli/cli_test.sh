#!/usr/bin/env bash
# End-to-end checks of quillmark-cli on real files: exit codes, messages,
# and what each command writes (and does not write).
set -uo pipefail
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() { # description, then a command that must succeed
  local what="$1"; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}

# new: prints the absolute project file path and builds the whole layout.
out=$("$cli" new "$work/Guide.hff" --title "Caf\u00e9 Guide" 2>&1); rc=$?
check "new exits 0" test "$rc" -eq 0
check "new prints the project file" test "$out" = "$work/Guide.hff"
check "project file starts with a byte-order mark" \
  test "$(head -c 3 "$work/Guide.hff" | od -An -tx1 | tr -d ' ')" = "efbbbf"
check "project.json has no byte-order mark" test "$(head -c 1 "$work/Guide/project.json")" = "{"
for sub in topics meta assets/images build styles internal/editor internal/webhelp; do
  check "folder $sub exists" test -d "$work/Guide/$sub"
done
check "settings file written" test -f "$work/Guide/meta/project_settings.json"
check "default stylesheet copied" test -f "$work/Guide/styles/default.css"
tree=$("$cli" tree "$work/Guide.hff")
welcome=$(printf '%s' "$tree" | cut -f1)
check "one Welcome topic" test "$(printf '%s' "$tree" | cut -f2)" = "Welcome"
check "Welcome page holds the default paragraph" \
  grep -q '^<p style="font-family:Segoe UI, Arial, sans-serif;font-size:16px;color:#000000;line-height:1.5;"><br></p>$' \
  "$work/Guide/topics/$welcome.html"
check "Welcome header file" grep -q '<b>Welcome</b>' "$work/Guide/meta/header_$welcome.html"
check "Welcome header background" test "$(cat "$work/Guide/meta/headerbg_$welcome.txt")" = "#E7EFF5"

# new refuses to overwrite an existing project.
"$cli" new "$work/Guide.hff" > /dev/null 2>&1; rc=$?
check "new on an existing project fails" test "$rc" -eq 1

# add-topic and tree: order, depth, tab.
child=$("$cli" add-topic "$work/Guide.hff" --title "Install" --parent "$welcome")
second=$("$cli" add-topic "$work/Guide.hff" --title "Reference")
expected=$(printf '%s\tWelcome\n  %s\tInstall\n%s\tReference' "$welcome" "$child" "$second")
check "tree shows depth and order" test "$("$cli" tree "$work/Guide.hff")" = "$expected"
check "added page written" test -f "$work/Guide/topics/$child.html"

# tree writes nothing.
before=$(find "$work" -type f -newer "$work/Guide.hff" -printf '%p %T@\n' | sort)
"$cli" tree "$work/Guide.hff" > /dev/null
after=$(find "$work" -type f -newer "$work/Guide.hff" -printf '%p %T@\n' | sort)
check "tree writes nothing" test "$before" = "$after"

# --version prints the program's name and version.
out=$("$cli" --version); rc=$?
check "--version exits 0" test "$rc" -eq 0
check "--version names the version" grep -qE '^quillmark-cli [0-9]+\.[0-9]+$' <<< "$out"

# Errors: exit 1 with the prefix; usage: exit 2.
err=$("$cli" tree "$work/missing.hff" 2>&1 >/dev/null); rc=$?
check "missing project exits 1" test "$rc" -eq 1
check "missing project message" test "$err" = "quillmark-cli: Project file not found: $work/missing.hff"
err=$("$cli" add-topic "$work/Guide.hff" --title X --parent NOPE 2>&1 >/dev/null); rc=$?
check "unknown parent exits 1" test "$rc" -eq 1
check "unknown parent message" test "$err" = "quillmark-cli: Topic not found: NOPE"
"$cli" add-topic "$work/Guide.hff" > /dev/null 2>&1; rc=$?
check "missing --title is a usage error" test "$rc" -eq 2
"$cli" frobnicate > /dev/null 2>&1; rc=$?
check "unknown command is a usage error" test "$rc" -eq 2
"$cli" tree > /dev/null 2>&1; rc=$?
check "missing argument is a usage error" test "$rc" -eq 2

# expand: tokens resolved exactly as published, nothing added, nothing written.
printf '%s' '{"variables":[{"name":"Product","value":"Lamp & Co"}],"snippets":[{"name":"Note","html":"<i>{var:Product}<\/i>"}],"conditions":[{"name":"Beta","enabled":false}]}' \
  > "$work/Guide/meta/reusable_content.json"
printf '%s' '<p>{var:Product}</p>{snip:Note}{begincond:Beta}<p>hidden</p>{endcond}' \
  > "$work/Guide/topics/$second.html"
expanded=$("$cli" expand "$work/Guide.hff" "$second"; printf x)
check "expand resolves variables, snippets and conditions" \
  test "$expanded" = "<p>Lamp &amp; Co</p><i>Lamp &amp; Co</i>x"
rm "$work/Guide/topics/$second.html"
check "expand of a missing page prints nothing" test -z "$("$cli" expand "$work/Guide.hff" "$second")"
check "expand does not create the missing page" test ! -e "$work/Guide/topics/$second.html"
err=$("$cli" expand "$work/Guide.hff" NOPE 2>&1 >/dev/null); rc=$?
check "expand of an unknown topic exits 1" test "$rc" -eq 1
check "expand of an unknown topic names it" test "$err" = "quillmark-cli: Topic not found: NOPE"

# A hostile identifier in the tree file fails the load and writes nothing.
mkdir -p "$work/Evil/meta"
printf '\xef\xbb\xbf{"version":"1.0","title":"Evil","root":""}' > "$work/Evil.hff"
printf '{"rootTopicIds":["../../x"],"topics":[{"id":"../../x","title":"x"}]}' \
  > "$work/Evil/meta/topics.json"
err=$("$cli" add-topic "$work/Evil.hff" --title Y 2>&1 >/dev/null); rc=$?
check "hostile identifier exits 1" test "$rc" -eq 1
check "hostile identifier is named" grep -q '../../x' <<< "$err"
check "nothing written for the hostile project" test ! -e "$work/Evil/topics"

# import-html: the page becomes a new root topic; its files are copied into
# the project's asset folders.
fixtures="$(cd "$(dirname "$0")/../fixtures/import" && pwd)"
imported=$("$cli" import-html "$work/Guide.hff" "$fixtures/images/page.html"); rc=$?
check "import-html exits 0" test "$rc" -eq 0
check "import-html adds a root topic named after the file" \
  test "$("$cli" tree "$work/Guide.hff" | tail -n 1)" = "$(printf '%s\tpage' "$imported")"
check "imported page refers to the copy" \
  grep -q '<img src="assets/images/a.png">' "$work/Guide/topics/$imported.html"
check "imported picture copied" cmp -s "$fixtures/images/pics/a.png" "$work/Guide/assets/images/a.png"
styled=$("$cli" import-html "$work/Guide.hff" "$fixtures/styles/page.html" --title "Styled")
check "--title names the imported topic" \
  test "$("$cli" tree "$work/Guide.hff" | tail -n 1)" = "$(printf '%s\tStyled' "$styled")"
check "nested style sheet of the same name copied apart" \
  grep -q 'p { color: red; }' "$work/Guide/assets/css/base_2.css"
# Failures add no topic.
tree_before=$("$cli" tree "$work/Guide.hff")
printf '<html><body> \n </body></html>' > "$work/blank.html"
printf '<p><img src="100%%.png"></p>' > "$work/bad.html"
touch "$work/100%.png"
for row in "blank.html|The selected HTML file does not contain importable body content." \
           "bad.html|The address \"100%.png\" holds a malformed percent escape." \
           "none.html|HTML file not found: $work/none.html"; do
  file=${row%%|*}
  err=$("$cli" import-html "$work/Guide.hff" "$work/$file" 2>&1 >/dev/null); rc=$?
  check "import-html of $file exits 1" test "$rc" -eq 1
  check "import-html of $file says why" test "$err" = "quillmark-cli: ${row#*|}"
done
check "failed imports add no topic" test "$("$cli" tree "$work/Guide.hff")" = "$tree_before"

# publish: a copy of the sample project; one line per format with its main file.
mkdir -p "$work/sample"
cp -r "$(dirname "$0")/../../examples/." "$work/sample/"
cp -r "$work/sample/AuroraLamp/topics" "$work/topics-before"
out="$work/sample/AuroraLamp/build"
site=$("$cli" publish "$work/sample/AuroraLamp.hff" --format webhelp 2>"$work/err"); rc=$?
check "publish webhelp exits 0" test "$rc" -eq 0
check "publish webhelp prints the start page" test "$site" = "$out/webhelp/index.html"
check "publish is quiet off a terminal" test ! -s "$work/err"
check "start page carries the project title" grep -q '<title>Aurora Smart Lamp' "$site"
check "one page per topic" test "$(ls "$out/webhelp/topics" | wc -l)" -eq 12
check "contents script" test "$(head -c 18 "$out/webhelp/toc.js")" = "window.__SV_TOC = "
check "search script" test "$(head -c 21 "$out/webhelp/search.js")" = "window.__SV_SEARCH = "
check "template placeholders filled" test -z "$(grep -o '__SV_[A-Z_]*__' "$out/webhelp/app.css")"
check "assets copied" test -n "$(ls "$out/webhelp/assets/images")"
check "topic links rewritten" test -z "$(grep -l 'href="doc:' "$out"/webhelp/topics/*.html)"
check "publishing changes no topic page" diff -r "$work/topics-before" "$work/sample/AuroraLamp/topics"
lines=$("$cli" publish "$work/sample/AuroraLamp.hff" --format all --no-compile --no-print)
check "publish all prints each format's main file" test "$lines" = "$(printf '%s\n%s\n%s' \
  "$out/webhelp/index.html" "$out/chm/project.hhp" "$out/pdf/manual.html")"
check "--no-compile leaves no help file" test ! -e "$out/chm/help.chm"
check "the site maps the help IDs" grep -q '"name":"IDH_PAIRING","number":1001' "$out/webhelp/context.js"
check "the help project maps the help IDs" grep -q '^#include map.h' "$out/chm/project.hhp"
check "--no-print leaves no PDF" test ! -e "$out/pdf/manual.pdf"
APPDATA="$work/appdata" PATH=/nonexistent "$cli" publish "$work/sample/AuroraLamp.hff" \
  --format chm > /dev/null 2>"$work/err"; rc=$?
check "publish chm without a compiler exits 1" test "$rc" -eq 1
check "publish chm without a compiler says so" grep -q 'chmcmd' "$work/err"
for bad in "--format html" "" "--format webhelp --no-print --no-print"; do
  # shellcheck disable=SC2086
  "$cli" publish "$work/sample/AuroraLamp.hff" $bad > /dev/null 2>&1; rc=$?
  check "publish ${bad:-without --format} is a usage error" test "$rc" -eq 2
done

# help-ids: the sample's two IDs as a header (the default), CSV and JSON;
# the page column stays empty while no printed manual is newer than the tree.
pairing=4D11CA13E3E6496C8097FF419663FF3B
modes=D5636EDECFE74FEB9F405CE38C728177
out=$("$cli" help-ids "$work/sample/AuroraLamp.hff"); rc=$?
check "help-ids exits 0" test "$rc" -eq 0
check "help-ids prints a header" test "$(grep '^#define' <<< "$out")" = "$(printf '%s\n%s' \
  '#define IDH_PAIRING 1001' '#define IDH_LIGHT_MODES 1002')"
out=$("$cli" help-ids "$work/sample/AuroraLamp.hff" --format csv)
check "help-ids --format csv" test "$out" = "$(printf '%s\n%s\n%s' \
  'name,number,topic,title,webhelp,page' \
  "IDH_PAIRING,1001,$pairing,Pairing with the Aurora App,index.html#t=$pairing," \
  "IDH_LIGHT_MODES,1002,$modes,Light Modes,index.html#t=$modes,")"
out=$("$cli" help-ids "$work/sample/AuroraLamp.hff" --format=json)
check "help-ids --format json" grep -qF "{\"name\":\"IDH_PAIRING\",\"number\":1001,\"topic\":\"$pairing\"" <<< "$out"
"$cli" help-ids "$work/sample/AuroraLamp.hff" --format xml > /dev/null 2>&1; rc=$?
check "help-ids with an unknown format is a usage error" test "$rc" -eq 2
"$cli" help-ids "$work/missing.hff" > /dev/null 2>&1; rc=$?
check "help-ids of a missing project fails" test "$rc" -eq 1

# check-links: exit 0 and one line without findings; exit 1 and one line per finding.
found=$("$cli" check-links "$work/sample/AuroraLamp.hff"); rc=$?
check "check-links of the sample exits 0" test "$rc" -eq 0
check "check-links of the sample finds nothing" test "$found" = "No link issues found."
first=$("$cli" tree "$work/sample/AuroraLamp.hff" | head -n 1 | cut -f1)
title=$("$cli" tree "$work/sample/AuroraLamp.hff" | head -n 1 | cut -f2)
printf '<a href="doc:%s">x</a><img src="assets/images/none.png">' "$(printf 'B%.0s' {1..32})" \
  > "$work/sample/AuroraLamp/topics/$first.html"
found=$("$cli" check-links "$work/sample/AuroraLamp.hff"); rc=$?
check "check-links with findings exits 1" test "$rc" -eq 1
check "check-links lists title and issue" test "$found" = "$(printf '%s\n%s' \
  "$title: Broken internal link: doc:BBBBBBBBBBBBBBBBBBBBBBBBBBBBBBBB" \
  "$title: Missing local reference: assets/images/none.png")"

# A damaged file is an error naming it, and nothing is published over a good site.
cp -r "$work/sample" "$work/damaged"
"$cli" publish "$work/damaged/AuroraLamp.hff" --format webhelp > /dev/null
toc="$work/damaged/AuroraLamp/build/webhelp/toc.js"
cp "$toc" "$work/toc-before"
tree_file="$work/damaged/AuroraLamp/meta/topics.json"
cp "$tree_file" "$work/tree-good"
head -c -1 "$work/tree-good" > "$tree_file"
for command in "tree" "check-links" "publish --format webhelp"; do
  # shellcheck disable=SC2086
  err=$("$cli" $command "$work/damaged/AuroraLamp.hff" 2>&1 >/dev/null); rc=$?
  check "$command of a damaged tree file exits 1" test "$rc" -eq 1
  check "$command names the damaged tree file" grep -qF "$tree_file" <<< "$err"
done
check "a damaged tree file publishes nothing over the site" cmp -s "$toc" "$work/toc-before"
cp "$work/tree-good" "$tree_file"
store="$work/damaged/AuroraLamp/meta/reusable_content.json"
printf '{"variables":[' > "$store"
err=$("$cli" expand "$work/damaged/AuroraLamp.hff" "$first" 2>&1 >/dev/null); rc=$?
check "a damaged reusable-content file fails expand" test "$rc" -eq 1
check "expand names the damaged reusable-content file" grep -qF "$store" <<< "$err"
rm "$store"
check "a missing reusable-content file keeps the defaults"   "$cli" expand "$work/damaged/AuroraLamp.hff" "$first" > /dev/null

# Runaway snippets stop at the cap with an error naming the topic and the
# snippet; a long block inside a nested condition block publishes.
python3 - "$store" <<'PY'
import json, sys
snippets = [{"name": "S%d" % i, "html": "<b>%d</b>" % i + "{snip:S%d}" % (i + 1) * (10 if i < 15 else 0)}
            for i in range(16)]
json.dump({"variables": [], "snippets": snippets,
           "conditions": [{"name": "Outer", "enabled": True}, {"name": "Inner", "enabled": True}]},
          open(sys.argv[1], "w"))
PY
printf '{snip:S0}' > "$work/damaged/AuroraLamp/topics/$first.html"
err=$(timeout 60 "$cli" publish "$work/damaged/AuroraLamp.hff" --format webhelp 2>&1 >/dev/null); rc=$?
check "runaway snippets fail the publish" test "$rc" -eq 1
check "the error names the topic and the snippet"   grep -q "The topic \"$title\" ($first) cannot be published: The expanded text grows past 64 MB at the snippet \"S" <<< "$err"
{ printf '{begincond:Outer}<p>a</p>{begincond:Inner}'
  for _ in $(seq 4000); do printf '<p>An ordinary paragraph of a long block.</p>'; done
  printf '{endcond}<p>b</p>{endcond}'; } > "$work/damaged/AuroraLamp/topics/$first.html"
expanded=$("$cli" expand "$work/damaged/AuroraLamp.hff" "$first"); rc=$?
check "a long block in a nested block expands" test "$rc" -eq 0
check "the long block is published whole"   test "$(grep -o 'An ordinary paragraph' <<< "$expanded" | wc -l)" -eq 4000
rm "$store"

# Links planted in a project never lead a command to write outside it.
victim="$work/victim.txt"
printf 'precious' > "$victim"
internal="$work/damaged/AuroraLamp/internal"
rm -f "$internal/editor/editor.html" "$work/damaged/AuroraLamp/styles/default.css"
ln -s "$victim" "$internal/editor/editor.html"
ln -s "$work/created-outside.css" "$work/damaged/AuroraLamp/styles/default.css"
"$cli" publish "$work/damaged/AuroraLamp.hff" --format chm --no-compile > /dev/null; rc=$?
check "publish with linked program files exits 0" test "$rc" -eq 0
check "a linked editor page is replaced, not written through" test "$(cat "$victim")" = "precious"
check "a dangling stylesheet link creates nothing outside" test ! -e "$work/created-outside.css"
check "the editor page is a file again" test ! -L "$internal/editor/editor.html"
mkdir -p "$work/elsewhere"
rm -rf "$work/damaged/AuroraLamp/build"
ln -s "$work/elsewhere" "$work/damaged/AuroraLamp/build"
err=$("$cli" publish "$work/damaged/AuroraLamp.hff" --format webhelp 2>&1 >/dev/null); rc=$?
check "publish into a build folder leading outside exits 1" test "$rc" -eq 1
check "publish names the linked build folder" grep -qF "$work/damaged/AuroraLamp/build leads to" <<< "$err"
check "nothing is written through the linked build folder" test -z "$(ls -A "$work/elsewhere")"

# import-html copies only the files of the page's folder unless allowed.
mkdir -p "$work/pages/sub"
printf 'secret' > "$work/pages/secret.png"
printf '<p><img src="../secret.png"><img src="/proc/self/environ"></p>' > "$work/pages/sub/page.html"
err=$("$cli" import-html "$work/Guide.hff" "$work/pages/sub/page.html" 2>&1 >/dev/null); rc=$?
check "import-html with outside files exits 0" test "$rc" -eq 0
check "import-html lists the outside file" grep -qF "  $work/pages/secret.png" <<< "$err"
check "import-html lists the system file" grep -qF "  /proc/self/environ" <<< "$err"
check "the outside file is not copied" test ! -e "$work/Guide/assets/images/secret.png"
"$cli" import-html "$work/Guide.hff" "$work/pages/sub/page.html" --allow-outside-files   > /dev/null 2>&1
check "--allow-outside-files copies it" test "$(cat "$work/Guide/assets/images/secret.png")" = "secret"
check "system files are never copied" test ! -e "$work/Guide/assets/files/environ"

# A project copied together with its project file edits the copy.
mkdir -p "$work/copy"
cp -r "$work/Guide.hff" "$work/Guide" "$work/copy/"
tree_before=$("$cli" tree "$work/Guide.hff")
"$cli" add-topic "$work/copy/Guide.hff" --title "Only in the copy" > /dev/null
check "the copy gets the topic" grep -q 'Only in the copy' <<< "$("$cli" tree "$work/copy/Guide.hff")"
check "the original keeps its tree" test "$("$cli" tree "$work/Guide.hff")" = "$tree_before"

# A full disk (a small file system of its own, where the system allows one):
# a topic whose tree cannot be saved leaves no page, and the message says why.
if unshare -rm true 2> /dev/null; then
  full=$(unshare -rm bash -c '
    cli="$1"; disk="$2"; mkdir -p "$disk"
    mount -t tmpfs -o size=256k tmpfs "$disk" || exit 3
    "$cli" new "$disk/Full.hff" > /dev/null || exit 4
    pages="$disk/Full/topics"; before=$(ls "$pages" | wc -l)
    head -c 4096 /dev/zero > "$disk/spare"
    cat /dev/zero > "$disk/filler" 2> /dev/null
    rm "$disk/spare"   # room for the page, not for the tree
    err=$("$cli" add-topic "$disk/Full.hff" --title More 2>&1 > /dev/null); rc=$?
    echo "rc=$rc pages=$before/$(ls "$pages" | wc -l) err=$err"' _ "$cli" "$work/disk")
  check "add-topic on a full disk exits 1" grep -q '^rc=1 ' <<< "$full"
  check "add-topic on a full disk leaves no page" grep -q ' pages=1/1 ' <<< "$full"
  check "a full disk is named as such" grep -q 'No space left on device' <<< "$full"
  check "the message names the file" grep -q "$work/disk/Full/" <<< "$full"
else
  echo "note: no private file system here; the full-disk checks are skipped"
fi

# find: "title: context" lines from the text a reader sees (never markup),
# exit 1 when nothing is found, 2 on wrong usage.
finder=$("$cli" new "$work/Finder.hff" --title "Finder")
found_id=$("$cli" tree "$finder" | cut -f1)
printf '<p>The <b>lamp</b> glows.</p><p><a href="lamp.html">Lamp</a> &amp; more</p>' \
  > "$work/Finder/topics/$found_id.html"
out=$("$cli" find "$finder" lamp); rc=$?
check "find exits 0 when found" test "$rc" -eq 0
check "find prints title: context per match" \
  test "$out" = "$(printf 'Welcome: The lamp glows.\nWelcome: Lamp & more')"
out=$("$cli" find "$finder" lamp --match-case --whole-word)
check "find --match-case" test "$out" = "Welcome: The lamp glows."
out=$("$cli" find "$finder" 'gl(o|a)ws' --regex)
check "find --regex" test "$out" = "Welcome: The lamp glows."
check "find searches headers" test "$("$cli" find "$finder" welcome)" = "Welcome: Welcome"
out=$("$cli" find "$finder" nowhere 2>&1); rc=$?
check "find exits 1 without output when nothing is found" test "$rc" -eq 1 -a -z "$out"
"$cli" find "$finder" '(' --regex > /dev/null 2>&1; rc=$?
check "find with a bad pattern is wrong usage" test "$rc" -eq 2
"$cli" find "$finder" > /dev/null 2>&1; rc=$?
check "find without text is wrong usage" test "$rc" -eq 2
sample="$(cd "$(dirname "$0")/../.." && pwd)/examples/AuroraLamp.hff"
out=$("$cli" find "$sample" '{var:ProductName}'); rc=$?
check "find keeps tokens as written in the sample" test "$rc" -eq 0 -a -n "$out"

echo "$passed passed, $failed failed"
test "$failed" -eq 0
