#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the editor and the tests need,
# asking apt only for those that are missing.
set -euo pipefail
packages=(cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins libpng-dev libjpeg-dev libgif-dev libgtest-dev
          libbenchmark-dev fonts-dejavu-core xvfb xauth xdotool libx11-dev pasmo python3-pil imagemagick
          desktop-file-utils appstream)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
