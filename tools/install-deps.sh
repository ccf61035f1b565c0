#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Only the missing ones are installed; runs apt-get as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  qt6-qpa-plugins
  libbenchmark-dev
  libofx-dev
  fonts-liberation2 fonts-dejavu-core
  poppler-utils xdg-utils
  xvfb xauth xdotool openbox x11-utils xclip x11-apps
  cups cups-client cups-filters printer-driver-cups-pdf
  desktop-file-utils appstream lintian dpkg-dev fakeroot file man-db librsvg2-bin shared-mime-info
  clang libclang-rt-14-dev
  libfinance-qif-perl
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
