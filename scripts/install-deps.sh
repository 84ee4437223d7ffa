#!/usr/bin/env bash
# Installs the Debian 12 packages Rybowid needs to build, run and test. Safe to run again:
# it asks apt only for what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-webengine-dev qt6-charts-dev qt6-translations-l10n qt6-l10n-tools qt6-tools-dev
  libqt6sql6-sqlite libgl-dev
  libjpeg62-turbo-dev libexif-dev libsqlite3-dev
  libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-dejavu-core
  poppler-utils
  python3 python3-gpxpy tzdata
  dpkg-dev file desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
