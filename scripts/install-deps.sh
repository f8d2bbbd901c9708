#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# and only those that are missing; packages named as arguments are added
# (scripts/package.sh adds its packaging tools).
set -euo pipefail
pkgs=(cmake g++ make ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-qpa-plugins
      libqt6dbus6 libqt6svg6 qt6-gtk-platformtheme qt6-translations-l10n
      xvfb xauth fonts-dejavu-core dbus-x11 findutils
      xdg-utils shared-mime-info libfile-mimeinfo-perl ccache trash-cli "$@")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
