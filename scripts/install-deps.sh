#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, benchmark and run.
# Idempotent: when everything is already there it prints nothing and returns at once.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config dpkg-dev
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-qpa-plugins libqt6sql6-sqlite libqt6sql6-psql libgl-dev
  libbenchmark-dev sqlite3 libsqlite3-dev fonts-dejavu-core
  qt6-httpserver-dev qt6-websockets-dev libargon2-dev postgresql openssl
  clang libclang-rt-14-dev llvm curl
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Faltam pacotes: ${missing[*]} (execute como root)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
