#!/usr/bin/env bash
# Installs every Debian package Quillmark needs to build, run and test.
# Idempotent: when all packages are present it only checks and returns.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-webengine-dev qt6-webchannel-dev libqt6opengl6-dev
  libpcre2-dev nlohmann-json3-dev libjpeg62-turbo-dev libcurl4-openssl-dev
  libgtest-dev libgmock-dev
  fp-utils chromium xvfb xauth
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
