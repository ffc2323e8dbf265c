#!/usr/bin/env bash
# The real installation (make test-install, run as root on a machine that may
# be changed): apt installs the package as a writer would, with its recommended
# packages; then the checks of check_installation.sh on /usr, and what the
# desktop sees: the file type of a .hff file, its default application and the
# manual page. A package that was not installed before is removed again
# (QUILLMARK_KEEP_INSTALLED=1 keeps it).
# Usage: install_test.sh PACKAGE.deb
set -uo pipefail
deb=$(realpath "$1")
version=$(dpkg-deb -f "$deb" Version)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
was_installed=$(dpkg-query -W -f='${Status}' quillmark 2>/dev/null | grep -c 'install ok installed')

cleanup() {
  rm -rf "$work"
  if [ "$was_installed" = 0 ] && [ "${QUILLMARK_KEEP_INSTALLED:-0}" != 1 ]; then
    echo "install_test: removing the package again"
    apt-get -o DPkg::Lock::Timeout=900 purge -y -qq quillmark >/dev/null
  fi
}
trap cleanup EXIT

export DEBIAN_FRONTEND=noninteractive
apt-get -o DPkg::Lock::Timeout=900 install -y -qq "$deb" || { echo "FAIL: apt install"; exit 1; }

failed=0
check() {
  local what="$1"; shift
  if ! "$@"; then failed=$((failed + 1)); echo "FAIL: $what"; fi
}
check "quillmark on PATH" test "$(command -v quillmark)" = /usr/bin/quillmark
check "quillmark-cli on PATH" test "$(command -v quillmark-cli)" = /usr/bin/quillmark-cli
bash "$here/check_installation.sh" / "$version" "$work/check" || failed=$((failed + 1))

# What the desktop answers: xdg-mime and man as a user would run them.
project="$work/Desktop.hff"
quillmark-cli new "$project" >/dev/null
filetype=$(xdg-mime query filetype "$project")
echo "xdg-mime query filetype: $filetype"
check "a .hff file is a Quillmark project" test "$filetype" = application/x-quillmark-project
default=$(xdg-mime query default application/x-quillmark-project)
echo "xdg-mime query default: $default"
check "Quillmark opens Quillmark projects" test "$default" = app.quillmark.Quillmark.desktop
for page in quillmark quillmark-cli; do
  location=$(man -w "$page")
  echo "man -w $page: $location"
  check "man finds $page(1)" test "$location" = "/usr/share/man/man1/$page.1.gz"
done

[ $failed -eq 0 ] && echo "install test passed" || echo "install test: $failed checks failed"
exit $((failed > 0))
