#!/usr/bin/env bash
# Installs every Debian package the project needs. Safe to run again.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6test6 libqt6dbus6 libqt6network6 qt6-qpa-plugins
  libgl-dev libvulkan-dev
  libreoffice-calc-nogui libreoffice-writer-nogui libreoffice-dev libreoffice-dev-common
  libjpeg-dev libbenchmark-dev python3-numpy
  xvfb xauth dbus-daemon openbox metacity x11-utils libxtst-dev
  poppler-utils
  python3 python3-openpyxl
  fonts-dejavu-core adwaita-icon-theme
  libzip-dev
  dpkg-dev lintian desktop-file-utils appstream man-db
  gnumeric xdg-utils
  fuse3 libfuse3-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
