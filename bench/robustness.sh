#!/usr/bin/env bash
# Limits that must hold at scale: a container of many empty records listed and verified (time and peak memory
# against unzip -p inflating the same entry), and the 4 GiB boundary of the media stream.
# Usage: bench/robustness.sh [BUILD_DIR] [RECORDS]   (default 1350000 records, the 48 KB container)
# BOUNDARY=1 also saves and verifies a media stream of exactly 0xFFFFFFFE bytes (needs 10 GB free; minutes).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
records=${2:-1350000}
tvk=$build/bin/tvk
[[ -x $tvk ]] || { echo "robustness.sh: $tvk is missing; build the tvk target first" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tovrik-robust-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"
export TOVRIK_HOME=$work/home
printf '[ImageFileExts]\nCount=1\nExt0=.BMP\n' >"$work/home/config.ini"

# time_of COMMAND...: "seconds MiB" of one run, output discarded.
time_of() {
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null
  read -r t m <"$work/time"
  echo "$t $((m / 1024))"
}

python3 - "$work/records.tvk" "$records" <<'PY'
import sys, zipfile
path, count = sys.argv[1], int(sys.argv[2])
stream = b"\0" + bytes(37) * count  # the image kind, then empty records with empty names
with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    archive.writestr("Media.m", stream)
PY
size=$(stat -c %s "$work/records.tvk")
read -r listSeconds listMiB < <(time_of "$tvk" list "$work/records.tvk")
read -r verifySeconds verifyMiB < <(time_of "$tvk" verify "$work/records.tvk")
read -r unzipSeconds unzipMiB < <(time_of unzip -p "$work/records.tvk" Media.m)
echo "$records empty records, a $size-byte container:"
printf '  tvk list    %6.2f s %5d MiB   (target 4 s, 320 MiB)\n' "$listSeconds" "$listMiB"
printf '  tvk verify  %6.2f s %5d MiB   (target 4 s, 320 MiB)\n' "$verifySeconds" "$verifyMiB"
printf '  unzip -p    %6.2f s %5d MiB\n' "$unzipSeconds" "$unzipMiB"
awk "BEGIN{printf \"  ratio tvk verify / unzip -p: %.1f\n\", $verifySeconds / ($unzipSeconds > 0.01 ? $unzipSeconds : 0.01)}"

# A source that makes the media stream exactly 0xFFFFFFFF bytes (kind byte + 37 + 3 record bytes + data):
# refused before anything is written, so a sparse file serves and the refusal costs nothing.
truncate -s $((0xFFFFFFFF - 41)) "$work/big.bmp"
start=$(date +%s.%N)
if "$tvk" new --images -o "$work/big.tvk" --level 1 "$work/big.bmp" 2>"$work/err"; then
  echo "4 GiB boundary: a stream of 0xFFFFFFFF bytes was saved (it must be refused)" >&2
  exit 1
fi
end=$(date +%s.%N)
awk "BEGIN{printf \"4 GiB boundary: 0xFFFFFFFF bytes refused in %.3f s: \", $end - $start}"
cat "$work/err"
[[ -e $work/big.tvk ]] && { echo "4 GiB boundary: a file was left behind" >&2; exit 1; }

if [[ ${BOUNDARY:-0} == 1 ]]; then
  free=$(df --output=avail -B1 "$work" | tail -1)
  if ((free < 10 * 1024 * 1024 * 1024)); then
    echo "4 GiB boundary: 0xFFFFFFFE bytes skipped, less than 10 GB free"
  else
    truncate -s $((0xFFFFFFFE - 41)) "$work/big.bmp"
    read -r saveSeconds saveMiB < <(time_of "$tvk" new --images -o "$work/big.tvk" --level 1 "$work/big.bmp")
    read -r checkSeconds checkMiB < <(time_of "$tvk" verify "$work/big.tvk")
    printf '4 GiB boundary: 0xFFFFFFFE bytes saved in %.1f s (%d MiB), verified in %.1f s (%d MiB)\n' \
      "$saveSeconds" "$saveMiB" "$checkSeconds" "$checkMiB"
  fi
fi
