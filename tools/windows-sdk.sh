#!/usr/bin/env bash
# Makes the Windows SDK the cross build links against, once: MinGW-w64,
# Wine and NSIS from Debian's packages; zlib, minizip, libpng, libjpeg-turbo
# and a static, Widgets-only Qt 6 built from Debian's own sources.
#
#   tools/windows-sdk.sh            builds what is missing, prints the SDK folder
#   tools/windows-sdk.sh --path     prints the SDK folder only (it may not exist yet)
#
# The SDK goes to $SKINSTUDIO_WINDOWS_SDK_CACHE (default
# ~/.cache/skinstudio-windows-sdk), in a folder named after a hash of this
# script and the source versions, so a changed recipe builds a new one and
# an unchanged one is reused. Each stage is finished when its stamp file
# exists; a stage cut short is built again from the start.
set -euo pipefail
cd "$(dirname "$0")/.."

suite=bookworm
triplet=x86_64-w64-mingw32
# Source packages of the release suite and the folders they unpack to.
sources=(zlib 'zlib-1.2.13*/' libpng1.6 'libpng1.6-1.6.39/' libjpeg-turbo 'libjpeg-turbo-2.1.5/'
  qt6-base 'qt6-base-6.4.2*/')
png_flags=(-DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF)
jpeg_flags=(-DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
  -DWITH_JAVA=OFF)
# Static, Widgets only. The host tools (moc, uic, rcc) come from the Linux
# Qt of the same version. Debian's source leaves out wintab, hence no tablet
# events; dynamic OpenGL must be off as well as OpenGL, or the Windows
# platform plugin does not build. Everything the editor does not use is off:
# it is most of the build's time.
qt_flags=(-DBUILD_SHARED_LIBS=OFF -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_tabletevent=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_printsupport=OFF -DFEATURE_dbus=OFF
  -DFEATURE_testlib=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_sessionmanager=OFF -DFEATURE_vulkan=OFF)

# The SDK's folder is named after what goes into it, not after this
# script's wording.
cache_root="${SKINSTUDIO_WINDOWS_SDK_CACHE:-$HOME/.cache/skinstudio-windows-sdk}"
recipe_hash=$({
  echo "$suite $triplet ${sources[*]}"
  echo "${png_flags[*]} ${jpeg_flags[*]} ${qt_flags[*]}"
  cat cmake/mingw-w64.cmake
} | sha256sum | cut -c1-12)
sdk="$cache_root/sdk-$recipe_hash"
if [ "${1:-}" = "--path" ]; then
  echo "$sdk"
  exit 0
fi

jobs="${SKINSTUDIO_JOBS:-$(nproc)}"
src="$cache_root/sources"
work="$sdk/work"
prefix="$sdk/prefix"
mkdir -p "$src" "$work" "$prefix"
export SKINSTUDIO_WINDOWS_PREFIX="$prefix"
toolchain="$PWD/cmake/mingw-w64.cmake"

log() { echo "== windows-sdk: $*" >&2; }
sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# --- Debian packages --------------------------------------------------------
./tools/install-deps.sh --windows >&2

# --- Debian sources ---------------------------------------------------------
# Only the release suite serves sources (the security suite's are not
# served), so the suite is named for each package.
source_folder() { # folder-glob: the unpacked source folder, if there is one
  local d
  for d in "$src"/$1; do [ -d "$d" ] && echo "${d%/}" && return; done
  return 0
}
fetch_source() { # package folder-glob
  local package=$1 glob=$2
  if [ -n "$(source_folder "$glob")" ]; then return; fi
  if ! grep -rqs "^Types:.*deb-src" /etc/apt/sources.list.d/ &&
    ! grep -qs "^deb-src" /etc/apt/sources.list; then
    log "adding deb-src for $suite"
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$suite" | sudo_if_needed tee /etc/apt/sources.list.d/skinstudio-sources.sources >/dev/null
    sudo_if_needed apt-get update >&2
  fi
  log "fetching $package"
  (cd "$src" && apt-get source --only-source -t "$suite" "$package/$suite" >&2)
  [ -n "$(source_folder "$glob")" ] || { log "no $glob after fetching $package"; exit 1; }
}
for ((i = 0; i < ${#sources[@]}; i += 2)); do fetch_source "${sources[i]}" "${sources[i + 1]}"; done

zlib_src=$(source_folder "${sources[1]}")
png_src=$(source_folder "${sources[3]}")
jpeg_src=$(source_folder "${sources[5]}")
qt_src=$(source_folder "${sources[7]}")

# --- zlib and minizip -------------------------------------------------------
# zlib's CMake project wants a resource file Debian's source leaves out, so
# its C files are compiled as they are.
if [ ! -f "$sdk/zlib.done" ]; then
  log "zlib and minizip"
  rm -rf "$work/zlib" && mkdir -p "$work/zlib" "$prefix/lib" "$prefix/include/minizip"
  (
    cd "$work/zlib"
    for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast \
      inflate inftrees trees uncompr zutil; do
      $triplet-gcc-posix -O2 -c "$zlib_src/$f.c" -I"$zlib_src" -o "$f.o"
    done
    $triplet-ar rcs "$prefix/lib/libz.a" ./*.o
    cp "$zlib_src/zlib.h" "$zlib_src/zconf.h" "$prefix/include/"
    mkdir minizip && cd minizip
    for f in ioapi iowin32 unzip zip; do
      $triplet-gcc-posix -O2 -c "$zlib_src/contrib/minizip/$f.c" -I"$zlib_src" -o "$f.o"
    done
    $triplet-ar rcs "$prefix/lib/libminizip.a" ./*.o
    cp "$zlib_src"/contrib/minizip/{ioapi,iowin32,unzip,zip,crypt}.h "$prefix/include/minizip/"
  ) >&2
  touch "$sdk/zlib.done"
fi

# --- licences of what the programs link in ------------------------------------
# Debian's copyright file of each source package covers everything in it,
# bundled libraries included; Qt's licence texts go whole beside them.
if [ ! -f "$sdk/licences.done" ]; then
  mkdir -p "$sdk/licences"
  cp "$zlib_src/debian/copyright" "$sdk/licences/zlib-minizip-copyright.txt"
  cp "$png_src/debian/copyright" "$sdk/licences/libpng-copyright.txt"
  cp "$jpeg_src/debian/copyright" "$sdk/licences/libjpeg-turbo-copyright.txt"
  cp "$qt_src/debian/copyright" "$sdk/licences/Qt-copyright.txt"
  cp "$qt_src/LICENSES/LGPL-3.0-only.txt" "$sdk/licences/Qt-LGPL-3.0-only.txt"
  cp "$qt_src/LICENSES/GPL-3.0-only.txt" "$sdk/licences/Qt-GPL-3.0-only.txt"
  # The MinGW-w64 runtime and GCC's runtime libraries, linked statically.
  cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$sdk/licences/mingw-w64-runtime-copyright.txt"
  cp /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright \
    "$sdk/licences/gcc-runtime-copyright.txt" 2>/dev/null ||
    cp /usr/share/doc/gcc-mingw-w64-base/copyright "$sdk/licences/gcc-runtime-copyright.txt"
  touch "$sdk/licences.done"
fi

cmake_cross=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix")

# Builds and installs one CMake project of the SDK, once: its stamp file
# says it is done.
cmake_stage() { # stamp-name source build-folder cmake-arguments...
  local name=$1 source=$2 folder=$3
  shift 3
  [ -f "$sdk/$name.done" ] && return
  log "$name"
  rm -rf "$folder"
  cmake -S "$source" -B "$folder" "${cmake_cross[@]}" "$@" >&2
  cmake --build "$folder" -j"$jobs" >&2
  cmake --install "$folder" >&2
  touch "$sdk/$name.done"
}

cmake_stage libpng "$png_src" "$work/libpng" "${png_flags[@]}" -DZLIB_ROOT="$prefix" \
  -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
cmake_stage libjpeg "$jpeg_src" "$work/libjpeg" "${jpeg_flags[@]}"
# Qt is the long part: about half an hour on 2 cores.
cmake_stage qt "$qt_src" "$work/qt" -DCMAKE_INSTALL_PREFIX="$prefix/qt" "${qt_flags[@]}"

echo "$sdk"
