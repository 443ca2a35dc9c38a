#!/usr/bin/env bash
# Installs every Debian 12 package the project needs that is not there yet.
# The one list of the project's packages: add new needs here.
#   tools/install-deps.sh            the Linux build, its tests and package
#   tools/install-deps.sh --windows  also the Windows cross build, Wine and NSIS
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  clang llvm libclang-rt-14-dev
  libpng-dev libjpeg62-turbo-dev libminizip-dev zlib1g-dev
  qt6-base-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-wqy-microhei xvfb xauth imagemagick
  # The Debian package (dpkg-shlibdeps reads the libraries through `file`) and
  # the checks of the desktop entry and the AppStream metadata.
  dpkg-dev file desktop-file-utils appstream
)
if [ "${1:-}" = "--windows" ]; then
  packages+=(
    # MinGW-w64 for 64-bit Windows, with the POSIX thread model (std::mutex).
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    mingw-w64-x86-64-dev ninja-build qt6-base-dev-tools
    # The tests and the checks of the packages under Wine; the installer.
    wine wine64 fonts-wine nsis zip xdotool x11-utils python3
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
