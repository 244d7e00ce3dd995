#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those still missing.
set -euo pipefail
packages=(
  cmake g++ make
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql
  libsqlite3-dev sqlite3 postgresql googletest libgtest-dev
  xvfb xauth fonts-wqy-microhei
  libxlsxwriter-dev libminizip-dev pkg-config
  python3-openpyxl   # the tests' second reader of exported workbooks
  poppler-utils      # pdftoppm: PDF pages to pictures for the docs
)
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
