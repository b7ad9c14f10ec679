#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and test, only when some are missing.
# --web adds what the browser build and its tests need (emscripten, stb, Chromium, node).
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config ccache libgtest-dev libgmock-dev
    clang libclang-rt-14-dev
    libsdl2-dev libsdl2-image-dev libasound2-dev libopenal-dev libvorbis-dev libogg-dev libpng-dev libjpeg62-turbo-dev
    libgl1-mesa-dri libegl-mesa0 libglx-mesa0 libgl-dev
    libcairo2-dev libfreetype-dev nlohmann-json3-dev
    fonts-dejavu-core fonts-comfortaa
    xvfb xauth python3
    dpkg-dev file lintian desktop-file-utils appstream man-db
)
if [ "${1:-}" = "--web" ]; then
    packages+=(emscripten binaryen node-acorn libstb-dev chromium)
    # node and npm may come from another source than Debian's archive: only their commands count.
    command -v node >/dev/null || packages+=(nodejs)
    command -v npm >/dev/null || packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    # Another apt run (an unattended upgrade, a second checkout's setup) may hold the lock: wait for it.
    apt=(apt-get -o DPkg::Lock::Timeout=600)
    "${sudo_cmd[@]}" "${apt[@]}" update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" "${apt[@]}" install -y -q --no-install-recommends "${missing[@]}"
fi
