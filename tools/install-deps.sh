#!/usr/bin/env bash
# Installs every Debian package the project builds, runs or tests with.
# Safe to run again: apt-get only adds what is missing.
set -euo pipefail

PACKAGES=(
  # build
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
  # Qt 6: widgets, SQL over the Firebird client, HTML view, printing
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6sql6-ibase
  qt6-webengine-dev qt6-translations-l10n libgl-dev
  # message reading, compound files, network, crypto
  libgmime-3.0-dev libgsf-1-dev libcurl4-openssl-dev libssl-dev
  # database: client, server, tools
  firebird3.0-server firebird3.0-utils firebird-dev
  # outside programs the application drives
  gnupg xdg-utils tzdata
  # the reference TNEF unpacker the tests and the benchmark compare against
  tnef
  # Japanese glyphs
  fonts-noto-cjk adwaita-icon-theme
  # a display for headless runs, and screenshots of it
  xvfb xauth x11-apps x11-utils imagemagick
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
run() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -E "$@"; fi; }
run apt-get update -q
run apt-get install -y -q --no-install-recommends "${missing[@]}"
