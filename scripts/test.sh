#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the game twice (normal, and with ASan+UBSan) and
# runs the whole test suite in both builds; builds the browser version and runs its tests in
# headless Chromium against the normal build; then makes the packages from the release build
# (package.sh) and tests them. Each build sets every option it relies on, so
# a folder configured earlier by hand (or by play.sh) cannot change what is tested.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --web
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

bash scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
    -DWINGTRON_WERROR=ON -DWINGTRON_SANITIZE=OFF -DWINGTRON_FORGE=ON -DWINGTRON_FUZZ=ON
ctest --test-dir build --output-on-failure -j"$(nproc)"

# The browser build takes its data from the normal build; its tests compare with that build.
bash scripts/web.sh --no-serve --native build
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error && node run.js --site ../../build-web/site --native ../../build/game)

bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
    -DWINGTRON_WERROR=ON -DWINGTRON_SANITIZE=ON -DWINGTRON_FORGE=ON
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

bash scripts/package.sh
bash tests/package/package_test.sh build-release README.md
