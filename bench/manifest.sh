#!/usr/bin/env bash
# tvk build of a 1,000-entry manifest against tvk new of the same files at the same level: what reading the manifest
# (TOML, the sources' checks, the attributes) and the reproducible save cost over a plain build from the file list.
# Usage: bench/manifest.sh [BUILD_DIR] [ENTRIES]   (RUNS=5 runs of each, the fastest counts)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
entries=${2:-1000}
runs=${RUNS:-5}
tvk=$build/bin/tvk
[[ -x $tvk ]] || { echo "manifest.sh: $tvk is missing; build the tvk target first" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tovrik-manifest-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/art"
export TOVRIK_HOME=$work/home
printf '[ImageFileExts]\nCount=1\nExt0=.BMP\n[SoundFileExts]\nCount=1\nExt0=.WAV\n' >"$work/home/config.ini"

# Sprites of 4-20 KiB, half of each picture flat colour and half noise, as drawn art compresses.
python3 - "$work" "$entries" <<'PY'
import os, random, sys
work, count = sys.argv[1], int(sys.argv[2])
random.seed(1)
with open(os.path.join(work, "sprites.toml"), "w") as manifest:
    manifest.write('kind = "images"\nlevel = 2\noutput = "built.tvk"\n[defaults]\ntransparent = true\ncolor = "clFuchsia"\n')
    for i in range(count):
        size = random.randint(4, 20) * 1024
        with open(os.path.join(work, "art", "sprite%04d.bmp" % i), "wb") as f:
            f.write(b"BM" + bytes([i % 256]) * (size // 2) + os.urandom(size - size // 2 - 2))
        manifest.write('[[entry]]\nsource = "art/sprite%04d.bmp"\nname = "s%d"\npattern-width = 32\npattern-height = 32\n' % (i, i))
PY

# fastest COMMAND...: the fastest wall time of $runs runs and the fastest processor time, in seconds.
fastest() {
  local best="" bestCpu="" t u s c
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >/dev/null
    read -r t u s <"$work/time"
    c=$(awk "BEGIN{print $u + $s}")
    if [[ -z $best ]] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
    if [[ -z $bestCpu ]] || awk "BEGIN{exit !($c < $bestCpu)}"; then bestCpu=$c; fi
  done
  echo "$best $bestCpu"
}

cd "$work"
read -r buildWall buildCpu < <(fastest "$tvk" build sprites.toml)
read -r newWall newCpu < <(fastest "$tvk" new --images --level 2 --overwrite -o new.tvk art/*.bmp)
echo "load while measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo "$entries entries, $(du -sk art | cut -f1) KiB of sources"
echo "tvk build (manifest):     ${buildWall} s (${buildCpu} s cpu)"
echo "tvk new (the same files): ${newWall} s (${newCpu} s cpu)"
awk -v b="$buildWall" -v n="$newWall" -v bc="$buildCpu" -v nc="$newCpu" \
  'BEGIN{printf "build / new: %.2fx wall, %.2fx cpu\n", b / n, bc / nc}'
