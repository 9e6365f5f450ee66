#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, only when missing.
set -euo pipefail
packages=(g++ cmake ninja-build googletest libgtest-dev libgmock-dev libbenchmark-dev libxml2-utils xsltproc "$@")
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
