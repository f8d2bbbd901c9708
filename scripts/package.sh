#!/usr/bin/env bash
# Installs what is missing, builds, checks the menu entry and the metainfo,
# makes the Debian package with CPack and checks it with lintian.
# The package is left in build/: vestrada_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh dpkg-dev file lintian appstream desktop-file-utils
bash scripts/build.sh

desktop-file-validate packaging/org.vestrada.vestrada.desktop
appstreamcli validate --no-net build/packaging/org.vestrada.vestrada.metainfo.xml

rm -f build/vestrada_*.deb
(cd build && cpack -G DEB)
deb=$(ls build/vestrada_*.deb)
# Fails on any error; warnings and notes are printed.
lintian --info "$deb"
echo "Package: $deb"
