#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing TovrikEditor need; quick when all are there.
# qt6-tools-dev and qt6-l10n-tools compile and refresh the English translation (lrelease, lupdate); dpkg-dev,
# file and lintian build the Debian package (dpkg-shlibdeps finds its dependencies) and check it; libtomlplusplus-dev
# (header-only, no runtime package) reads and writes the manifests of tvk build and tvk dump. Pictures and sounds
# are converted on the way in with the reference decoders: libpng-dev, libgif-dev and libwebp-dev for PNG, GIF and
# WebP, libsndfile1-dev for OGG Vorbis/Opus, FLAC and MP3 (and for making test sounds), libsamplerate0-dev to resample.
# `install-deps.sh windows` adds what the Windows build needs (make windows): mingw-w64 cross-compiles,
# libz-mingw-w64-dev is zlib for it, wine64 and wine run the Windows programs and tests, googletest brings
# GoogleTest's sources to build for MinGW; scripts/windows-deps.sh then builds libdeflate, libjpeg-turbo and
# GoogleTest for it from Debian's sources (dpkg-dev unpacks them).
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev qt6-translations-l10n
  qt6-tools-dev qt6-l10n-tools
  dpkg-dev file lintian
  zlib1g-dev libisal-dev libdeflate-dev libjpeg62-turbo-dev
  libtomlplusplus-dev
  libpng-dev libgif-dev libwebp-dev libsndfile1-dev libsamplerate0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick openbox fonts-dejavu-core
  zip unzip p7zip-full python3 time
)
if [ "${1:-}" = windows ]; then
  packages+=(mingw-w64 libz-mingw-w64-dev wine64 wine googletest dpkg-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
