#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and any packages named as
# arguments (the benchmark and fuzzer scripts add theirs); does nothing when all are there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev
  fonts-dejavu-core
  desktop-file-utils appstream shared-mime-info xdg-utils
  # xdg-mime asks mimetype for a file's type, and the icon check reads PNG sizes with file.
  libfile-mimeinfo-perl file
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
