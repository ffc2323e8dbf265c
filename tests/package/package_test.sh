#!/usr/bin/env bash
# The Debian package as a writer gets it: built by CPack from the finished
# build folder, its control fields, then unpacked into a temporary root whose
# programs must work from there (check_installation.sh).
# Usage: package_test.sh BUILD_FOLDER VERSION
set -uo pipefail
build=$1
version=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1
fi
deb="$work/out/quillmark_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work/out"; echo "FAIL: no $deb"; exit 1; }

failed=0
check() {
  local what="$1"; shift
  if ! "$@"; then failed=$((failed + 1)); echo "FAIL: $what"; fi
}
check "package name" test "$(dpkg-deb -f "$deb" Package)" = quillmark
check "package version" test "$(dpkg-deb -f "$deb" Version)" = "$version"
depends=$(dpkg-deb -f "$deb" Depends)
# The libraries from dpkg-shlibdeps, the run-time programs from the list.
for dependency in libc6 libqt6webenginewidgets6 libcurl4 libpoppler-cpp0v5 \
    chromium fp-utils xdg-utils libqt6svg6 qt6-qpa-plugins; do
  check "depends on $dependency" grep -qE "(^|, )$dependency( |,|$)" <<<"$depends"
done
check "files only below /usr" test -z "$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/\|^\./$')"

dpkg-deb -x "$deb" "$work/root"
for program in quillmark quillmark-cli; do
  check "$program is stripped" bash -c "! readelf -S '$work/root/usr/bin/$program' | grep -q debug_info"
done
bash "$here/check_installation.sh" "$work/root" "$version" "$work/check" || failed=$((failed + 1))
exit $((failed > 0))
