#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with; quick when they are all present.
set -euo pipefail

packages=(
  qt6-base-dev fonts-dejavu-core
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-14-dev
  libsqlite3-dev libcurl4-openssl-dev libpugixml-dev libxlsxwriter-dev
  python3-openpyxl python3-xlrd
  unixodbc-dev libsqliteodbc tdsodbc python3-sqlglot
  locales xdg-utils libssl-dev openssl
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
