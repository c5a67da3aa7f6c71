#!/usr/bin/env bash
# Installs everything Vela's build, tests and Wine runs need on Debian 12.
# Safe to run again: it only calls apt-get when something is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev
    g++-mingw-w64-x86-64 mingw-w64-tools
    wine wine64 xvfb xdotool x11-utils x11-xkb-utils xauth imagemagick
    fonts-wine fonts-liberation
    zip unzip python3 python3-yaml
    nsis osslsigncode openssl
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends \
        "${missing[@]}"
fi
