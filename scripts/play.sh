#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the game and starts it. Extra arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
exec build/game/wingtron "$@"
