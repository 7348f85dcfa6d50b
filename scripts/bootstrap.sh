#!/usr/bin/env bash
# Installs whatever the build and the tests need and is not there yet (Debian 12, as root).
# wine64 alone satisfies "wine"; never add the i386 architecture: with wine32 present
# /usr/bin/wine picks the 32-bit loader, which this kernel cannot start.
set -euo pipefail
packages=(cmake ninja-build python3 g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest
          wine wine64 fonts-wine xvfb xauth xdotool imagemagick clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "bootstrap: installing ${missing[*]}"
sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
