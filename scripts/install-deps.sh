#!/usr/bin/env bash
# Installs the Debian packages PsyDesk needs to build, run and test, when any is missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev
  libxlsxwriter-dev fonts-noto-cjk
  postgresql-15 postgresql-client-15
  xvfb xauth imagemagick poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" = 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
