#!/usr/bin/env bash
# Renders packaging/icons/vestrada.svg to the PNG sizes that are committed
# beside it (run after changing the drawing).
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v rsvg-convert >/dev/null; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends librsvg2-bin
fi
for s in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$s" -h "$s" packaging/icons/vestrada.svg -o "packaging/icons/vestrada-$s.png"
done
