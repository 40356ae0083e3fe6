#!/usr/bin/env bash
# The Debian package: built from the build folder with cpack, unpacked into a temporary
# root, where the unpacked tarvelo-cli generates the overview sample Project from the
# resources of that root; then its metadata, desktop entry, file type and lintian.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$work/out/tarvelo_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work/out"; echo "FAIL: no $deb"; exit 1; }

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in bin/tarvelo bin/tarvelo-cli share/tarvelo/overview/overview.txt \
  share/tarvelo/samples/project.txt share/applications/tarvelo.desktop \
  share/mime/packages/tarvelo.xml share/icons/hicolor/scalable/apps/tarvelo.svg \
  share/icons/hicolor/48x48/apps/tarvelo.png share/icons/hicolor/256x256/apps/tarvelo.png \
  share/man/man1/tarvelo.1.gz share/man/man1/tarvelo-cli.1.gz share/doc/tarvelo/copyright \
  share/doc/tarvelo/changelog.gz share/bash-completion/completions/tarvelo-cli; do
  [ -f "$root/usr/$file" ] || fail "the package has no /usr/$file"
done

# The dependencies come from dpkg-shlibdeps: the C library and Qt's widgets at least.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6widgets6; do
  [[ $depends == *"$library "* || $depends == *"$library," || $depends == *"$library" ]] ||
    fail "Depends lacks $library: $depends"
done

# The unpacked console, away from the build tree, finds its resources under its own
# prefix and generates the overview into a fresh program folder.
home="$work/home"
status=0
TARVELO_HOME="$home" "$root/usr/bin/tarvelo-cli" \
  "/project=$home/overview/Tarvelo CMS Overview.web" </dev/null >"$work/run.log" 2>&1 || status=$?
if [ $status -ne 0 ] || [ ! -f "$home/overview/index.html" ] ||
  [ ! -f "$home/samples/project.txt" ]; then
  cat "$work/run.log"
  fail "the unpacked tarvelo-cli did not generate the overview (exit $status)"
fi
grep -q "^Completed Project:" "$work/run.log" || fail "no \"Completed Project:\" line"

desktop-file-validate "$root/usr/share/applications/tarvelo.desktop" || fail "desktop entry"
# The file type is read by the same tool the desktop runs after installing it.
update-mime-database "$root/usr/share/mime" >/dev/null 2>&1 || true
grep -qx "application/x-tarvelo-project:\*.web" "$root/usr/share/mime/globs" ||
  fail "the project file type does not claim *.web"

# lintian fails on errors (and when it cannot check); its warnings are shown.
lintian_status=0
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || lintian_status=$?
cat "$work/lintian.log"
if [ $lintian_status -ne 0 ] || grep -q "^E: " "$work/lintian.log"; then
  fail "lintian reports errors"
fi

[ $failures -eq 0 ] && echo "package test passed: $(basename "$deb")"
exit $((failures > 0))
