#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the game in Release (the play build, build-release)
# and makes, in that folder, the Debian package wingtron_VERSION_amd64.deb and the portable
# archive wingtron-VERSION-linux-x86_64.tar.gz. Prints their paths.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build-release.sh
cd build-release
# Packages of an earlier version would only confuse whoever picks the newest file.
rm -f wingtron_*.deb wingtron-*.tar.gz
cpack >cpack.log 2>&1 || { cat cpack.log >&2; exit 1; }
version=$(cat version.txt)
for f in "wingtron_${version}_$(dpkg --print-architecture).deb" "wingtron-${version}-linux-$(uname -m).tar.gz"; do
    [ -f "$f" ] || { echo "package.sh: cpack made no $f" >&2; exit 1; }
    echo "$PWD/$f"
done
