#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Quillevard.
set -euo pipefail

packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          libxcb1-dev xvfb xdotool imagemagick xauth fonts-dejavu-core
          # The stress test sends the close box's message to windows with python3-xlib.
          python3 python3-xlib
          # The sanitizer runs and the fuzzer: clang with libFuzzer and its sanitizer
          # runtimes (only recommended by clang, so named here), and llvm-symbolizer.
          clang libclang-rt-14-dev llvm)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
