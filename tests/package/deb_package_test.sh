#!/usr/bin/env bash
# Builds the .deb from the build tree and checks what an office would get:
# the files, the menu entry, the dependencies (run-time only), and programs
# that start from the unpacked package and tell their version.
#   deb_package_test.sh BUILD_DIR VERSION
set -uo pipefail
build=$1 version=$2
scratch=$(mktemp -d /tmp/cr-deb-test.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
failures=0
check() {   # check "what" command...
  local what=$1; shift
  if "$@" >/dev/null 2>&1; then echo "ok      $what"; else echo "FAILED  $what"; failures=$((failures + 1)); fi
}

if ! (cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1); then
  cat "$scratch/cpack.log"; echo "FAILED  cpack"; exit 1
fi
deb=$(ls "$scratch"/out/*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "FAILED  no .deb written"; cat "$scratch/cpack.log"; exit 1; }
echo "package: $(basename "$deb")"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$scratch/files"
dpkg-deb -f "$deb" Depends >"$scratch/depends"
echo "Depends: $(cat "$scratch/depends")"

# Files an office needs.
for f in /usr/bin/community-registry /usr/bin/community-admin \
         /usr/share/applications/community-registry.desktop \
         /usr/share/icons/hicolor/32x32/apps/community-registry.png \
         /usr/share/icons/hicolor/128x128/apps/community-registry.png \
         /usr/share/doc/community-registry/admin.md \
         /usr/share/doc/community-registry/help/index.html \
         /usr/share/doc/community-registry/help/housemanage.html; do
  check "contains $f" grep -qx "$f" "$scratch/files"
done
# Nothing that belongs to building or testing.
check "no test programs" bash -c "! grep -Eq '/(test_|bench_|community-scenario|cr_draw)' '$scratch/files'"
check "no headers or static libraries" bash -c "! grep -Eq '\\.(h|a|cmake)\$' '$scratch/files'"

# Dependencies: the libraries and what Qt loads at run time; never a
# compiler, a server or test tools.
for d in libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6sql6-psql qt6-translations-l10n libsqlite3-0 libc6; do
  check "depends on $d" grep -Eq "(^|[ ,|])$d([ ,(|]|\$)" "$scratch/depends"
done
check "depends on a Chinese font" grep -q "fonts-wqy-microhei" "$scratch/depends"
for d in postgresql g++ gcc cmake make googletest libgtest-dev qt6-base-dev xvfb '[a-z0-9.+-]*-dev'; do
  check "no dependency on $d" bash -c "! grep -Eq '(^|[ ,|])$d([ ,(|]|\$)' '$scratch/depends'"
done
check "version $version" bash -c "dpkg-deb -f '$deb' Version | grep -qx '$version'"

# The menu entry: Chinese name, the program, the icon.
dpkg-deb -x "$deb" "$scratch/root"
desktop=$scratch/root/usr/share/applications/community-registry.desktop
check "menu entry in Chinese" grep -qx 'Name=社区居委会信息登记' "$desktop"
check "menu entry starts the program" grep -qx 'Exec=community-registry' "$desktop"
check "menu entry names the icon" grep -qx 'Icon=community-registry' "$desktop"
if command -v desktop-file-validate >/dev/null; then check "menu entry is valid" desktop-file-validate "$desktop"; fi

# The programs from the scratch root start and tell the package's version.
check "community-admin --version" bash -c "'$scratch/root/usr/bin/community-admin' --version | grep -qx 'community-admin $version'"
check "community-registry --version" bash -c "QT_QPA_PLATFORM=offscreen '$scratch/root/usr/bin/community-registry' --version | grep -q ' $version\$'"
check "community-admin makes a registry" "$scratch/root/usr/bin/community-admin" init "$scratch/registry.db"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
