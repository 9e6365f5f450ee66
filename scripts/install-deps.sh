#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, only when missing.
set -euo pipefail
packages=(
  # the core and its tests
  g++ cmake ninja-build googletest libgtest-dev libgmock-dev libxml2-utils xsltproc
  # the benchmarks (scripts/bench.sh)
  libbenchmark-dev
  # the desktop program: Qt 6 Widgets and WebEngine, fonts with the metrics of
  # the ones courses were laid out in, and a virtual display for its tests
  qt6-base-dev qt6-webengine-dev qt6-webchannel-dev libqt6webenginecore6-bin
  fonts-liberation fonts-dejavu-core xvfb xauth
  "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
