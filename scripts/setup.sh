#!/usr/bin/env bash
# Installs the Debian packages QuarnTamo needs (only those missing), then configures and
# builds the given preset (default: dev). Running it again is quick: nothing is installed
# twice and the build is incremental. "format" only installs the formatter.
set -euo pipefail

preset=${1:-dev}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-svg-dev
    qt6-image-formats-plugins qt6-qpa-plugins qt6-translations-l10n
    fonts-liberation fonts-dejavu-core
    desktop-file-utils appstream shared-mime-info
    xvfb x11-utils poppler-utils bash-completion
    dbus libglib2.0-bin # the tests' private session bus and gdbus, a client of GLib's
)
# The Debian package: dpkg-shlibdeps finds its library dependencies, lintian checks it.
if [ "$preset" = package ]; then
    packages+=(dpkg-dev lintian)
fi
# The fuzz targets: clang with libFuzzer and the sanitizers' runtime.
if [ "$preset" = fuzz ]; then
    packages+=(clang libclang-rt-14-dev)
fi
# Formatting is checked with the clang-format of this Debian release.
if [ "$preset" = format ]; then
    packages=(clang-format)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cd "$root"
if [ "$preset" = format ]; then
    exit 0 # nothing to build
fi
if [ ! -f "build/$preset/build.ninja" ]; then
    cmake --preset "$preset"
fi
cmake --build --preset "$preset"
