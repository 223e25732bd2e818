#!/usr/bin/env bash
# Builds the libraries the Windows build links that Debian ships no MinGW build of, statically, into
# DEPS (default build-windows/deps): libdeflate and libjpeg-turbo from Debian's own sources of the versions the
# Linux build uses (the same libdeflate deflates to the same bytes), GoogleTest from /usr/src/googletest.
# Each library is built once (a stamp per library and version); only the static libraries, two jobs.
# Also links toml++ (header-only) into DEPS/include, since the cross build sees no host headers.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
deps=$(realpath -m "${1:-build-windows/deps}")
toolchain=$source_dir/cmake/MinGW.cmake
mingw=x86_64-w64-mingw32
jobs=2
mkdir -p "$deps/include" "$deps/lib" "$deps/src"

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# stamp NAME VERSION: true when NAME at VERSION is already in the prefix.
built() { [ -f "$deps/.built-$1-$2" ]; }
mark_built() { touch "$deps/.built-$1-$2"; }

# Debian's version of a package's source (the version installed for the Linux build).
source_version() { dpkg-query -W -f='${source:Version}' "$1" | sed 's/^[0-9]*://; s/-[^-]*$//'; }

# unpack SOURCE_PACKAGE VERSION: its Debian source, patches applied, in DEPS/src/; prints the folder.
unpack() {
  local package=$1 version=$2
  local folder=$deps/src/$package-$version
  if [ ! -d "$folder" ]; then
    if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
      printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: %s\n' \
        /usr/share/keyrings/debian-archive-keyring.gpg | $sudo tee /etc/apt/sources.list.d/tovrik-sources.sources >/dev/null
      $sudo apt-get update -qq
    fi
    (cd "$deps/src" && apt-get source --download-only -qq "$package" 2>&1 | grep -v '^W: Download is performed unsandboxed' >&2 || true)
    (cd "$deps/src" && dpkg-source -x "$(ls -t "${package}"_*.dsc | head -1)" "$folder" >/dev/null 2>&1)
  fi
  echo "$folder"
}

libdeflate_version=$(source_version libdeflate-dev)
if ! built libdeflate "$libdeflate_version"; then
  echo "libdeflate $libdeflate_version for Windows"
  folder=$(unpack libdeflate "$libdeflate_version")
  make -C "$folder" -s -j$jobs CC=$mingw-gcc-posix AR=$mingw-ar libdeflatestatic.lib
  cp "$folder/libdeflatestatic.lib" "$deps/lib/libdeflate.a"
  cp "$folder/libdeflate.h" "$deps/include/"
  mark_built libdeflate "$libdeflate_version"
fi

jpeg_version=$(source_version libjpeg62-turbo-dev)
if ! built libjpeg-turbo "$jpeg_version"; then
  echo "libjpeg-turbo $jpeg_version for Windows"
  folder=$(unpack libjpeg-turbo "$jpeg_version")
  cmake -S "$folder" -B "$folder/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTOVRIK_WINDOWS_DEPS="$deps" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF >/dev/null
  cmake --build "$folder/build" -j$jobs --target jpeg-static >/dev/null
  cp "$folder/build/libjpeg.a" "$deps/lib/"
  cp "$folder/build/jconfig.h" "$folder/jpeglib.h" "$folder/jmorecfg.h" "$folder/jerror.h" "$deps/include/"
  mark_built libjpeg-turbo "$jpeg_version"
fi

gtest_version=$(dpkg-query -W -f='${Version}' googletest)
if ! built googletest "$gtest_version"; then
  echo "GoogleTest $gtest_version for Windows"
  cmake -S /usr/src/googletest -B "$deps/src/googletest-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DTOVRIK_WINDOWS_DEPS="$deps" -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON \
    -DCMAKE_INSTALL_PREFIX="$deps" >/dev/null
  cmake --build "$deps/src/googletest-build" -j$jobs >/dev/null
  cmake --install "$deps/src/googletest-build" >/dev/null
  mark_built googletest "$gtest_version"
fi

ln -sfn /usr/include/toml++ "$deps/include/toml++"
