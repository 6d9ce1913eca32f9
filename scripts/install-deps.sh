#!/usr/bin/env bash
# Installs the Debian packages Vexa needs to build, run and test, when any is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  libbox2d-dev libjsoncpp-dev freeglut3-dev libimgui-dev libstb-dev libgl-dev libglu1-mesa-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick
)

missing="$(dpkg-query -W -f='${db:Status-Status} ${Package}\n' "${packages[@]}" 2>&1 | grep -v '^installed ' || true)"
if [ -n "$missing" ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${packages[@]}"
fi
