#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the game twice (normal, and with ASan+UBSan) and
# runs the whole test suite in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

bash scripts/build.sh build -DWINGTRON_WERROR=ON
ctest --test-dir build --output-on-failure -j"$(nproc)"

bash scripts/build.sh build-asan -DWINGTRON_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
