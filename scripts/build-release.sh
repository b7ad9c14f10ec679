#!/usr/bin/env bash
# Builds the release folder build-release, shared by play.sh and package.sh: one set of
# options, so neither rebuilds what the other built.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DWINGTRON_WERROR=OFF -DWINGTRON_SANITIZE=OFF -DWINGTRON_FORGE=ON
