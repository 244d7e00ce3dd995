#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those still missing.
#   deps.sh [run|test|package]
# run:     what building and running the application needs (no PostgreSQL
#          server, no test tools);
# test:    that and the PostgreSQL server, GoogleTest and the package tools;
# package: that and the tools that make the .deb.
set -euo pipefail
profile=${1:-run}
run=(
  cmake g++ make
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql qt6-translations-l10n
  libsqlite3-dev fonts-wqy-microhei
  libxlsxwriter-dev libminizip-dev pkg-config
)
case "$profile" in
  run) packages=("${run[@]}") ;;
  test) packages=("${run[@]}" postgresql googletest libgtest-dev sqlite3 dpkg-dev xvfb xauth
               python3-openpyxl) ;;   # openpyxl: the tests read exported workbooks back
  package) packages=("${run[@]}" dpkg-dev) ;;
  *) echo "deps.sh: unknown profile '$profile' (run, test or package)" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
