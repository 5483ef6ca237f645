#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests, the benchmarks, the fuzzer, the package
# and its checks, the Wayland smoke test and the screenshots need and this machine lacks. Safe to
# run again: it installs only what is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libx11-dev
    libicu-dev
    qt6-translations-l10n qt6-wayland weston
    scdoc desktop-file-utils appstream dpkg-dev file lintian man-db
    libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
    clang libclang-rt-14-dev
    fonts-liberation fonts-noto-cjk
    xdg-utils xvfb xauth xdotool xclip imagemagick librsvg2-bin
    openbabel
    hyperfine
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt_get() { if [ "$(id -u)" -eq 0 ]; then apt-get "$@"; else sudo apt-get "$@"; fi; }
    apt_get update -qq
    apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi
