#!/usr/bin/env bash
# Builds Twinscreen Skin Studio for 64-bit Windows on Debian 12, runs the
# Windows tests under Wine, and makes both Windows packages:
#   build-windows/skinstudio-<version>-windows-x64.zip   (portable)
#   build-windows/skinstudio-<version>-setup.exe         (installer)
# The SDK (tools/windows-sdk.sh) is made the first time and reused after.
#
#   tools/windows-build.sh [--no-wine-checks]
#
# --no-wine-checks leaves out the checks of the packages under Wine and Xvfb
# (packaging/windows/wine-checks.sh); the test suites still run.
set -euo pipefail
cd "$(dirname "$0")/.."

wine_checks=yes
if [ "${1:-}" = "--no-wine-checks" ]; then wine_checks=""; fi

sdk=$(./tools/windows-sdk.sh | tail -1)
export SKINSTUDIO_WINDOWS_PREFIX="$sdk/prefix"
build=build-windows
jobs="${SKINSTUDIO_JOBS:-$(nproc)}"
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$sdk/prefix/qt;$sdk/prefix" \
  -DSKINSTUDIO_WINDOWS_SDK="$sdk" -DSKINSTUDIO_BENCH=OFF "${launcher[@]}"
cmake --build "$build" -j"$jobs"
ctest --test-dir "$build" --output-on-failure -j"$jobs"

# --- packages ---------------------------------------------------------------
version=$(sed -n 's/^project([^)]*VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt).0
name="skinstudio-$version-windows-x64"
stage="$build/stage/$name"
rm -rf "$build/stage"
cmake --install "$build" --prefix "$stage" --strip
# A portable copy keeps its settings beside itself, in this folder.
mkdir -p "$stage/settings"
zip_file="$PWD/$build/$name.zip"
rm -f "$zip_file"
(cd "$build/stage" && zip -qr9 -X "$zip_file" "$name")

# The uninstaller removes what the installer put there, file by file, and
# nothing else: the folder may hold the user's own files.
file_list="$PWD/$build/stage/uninstall-files.nsh"
(
  cd "$stage"
  find . -type f ! -path './settings/*' | sed 's|^\./||; s|/|\\|g' | sort |
    sed 's|^|  Delete "$INSTDIR\\|; s|$|"|'
  find . -mindepth 1 -type d ! -path './settings*' | sed 's|^\./||; s|/|\\|g' | sort -r |
    sed 's|^|  RMDir "$INSTDIR\\|; s|$|"|'
) >"$file_list"
setup="$PWD/$build/skinstudio-$version-setup.exe"
makensis -V2 -DVERSION="$version" -DSTAGE="$PWD/$stage" -DOUTFILE="$setup" \
  -DFILE_LIST="$file_list" packaging/windows/installer.nsi
echo "packages: $zip_file $setup"

if [ -n "$wine_checks" ]; then
  packaging/windows/wine-checks.sh "$stage" "$setup"
fi
