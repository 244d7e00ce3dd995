#!/usr/bin/env bash
# Builds the application and makes the Debian package an office installs:
#   ./scripts/package.sh            -> dist/community-registry_<version>_<arch>.deb
# Install it with: sudo apt install ./dist/community-registry_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CR_BUILD_DIR:-$root/build}
CR_DEPS=package "$root/scripts/build.sh" --target community-registry community-admin
mkdir -p "$root/dist"
(cd "$build" && cpack -G DEB -B "$root/dist/.cpack" >/dev/null)
mv "$root"/dist/.cpack/*.deb "$root/dist/"
rm -rf "$root/dist/.cpack"
ls "$root"/dist/*.deb
