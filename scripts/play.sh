#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the game and starts it. Extra arguments go to the game.
# The play build has its own folder, so it never inherits the test build's options.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build-release.sh
exec build-release/game/wingtron "$@"
