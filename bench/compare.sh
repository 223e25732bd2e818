#!/usr/bin/env bash
# Measures tvk's save and open against zlib's one-shot deflate, Info-ZIP zip -6, 7-Zip's multi-threaded zip and
# unzip -p; prints ratios, sizes and peak memory, the targets in brackets, every ratio on the last lines.
# Usage: bench/compare.sh [BUILD_DIR] [MEBIBYTES]   (BUILD_DIR holds bin/tvk and bench/zlib_oneshot; best a Release build)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
mebibytes=${2:-256}
runs=${RUNS:-3}
tvk=$build/bin/tvk
zlib_oneshot=$build/bench/zlib_oneshot
for program in "$tvk" "$zlib_oneshot"; do
  [[ -x $program ]] || { echo "compare.sh: $program is missing; build the tvk and zlib_oneshot targets first" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tovrik-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"
export TOVRIK_HOME=$work/home # config.ini and the backing file of tvk live here, not in the build tree

python3 "$here/make_document.py" "$work/files" "$mebibytes" >&2
files=("$work"/files/*)

# measure NAME COMMAND...: runs the command $runs times and keeps the fastest wall time, the fastest processor
# time (user + system: steadier than wall time on a busy machine) and the largest peak resident memory.
declare -A seconds cpu kibibytes
measure() {
  local name=$1
  shift
  local best="" bestCpu="" peak=0 t u s m c
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >/dev/null
    read -r t u s m <"$work/time"
    c=$(awk "BEGIN{print $u + $s}")
    if [[ -z $best ]] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
    if [[ -z $bestCpu ]] || awk "BEGIN{exit !($c < $bestCpu)}"; then bestCpu=$c; fi
    ((m > peak)) && peak=$m
  done
  seconds[$name]=$best
  cpu[$name]=$bestCpu
  kibibytes[$name]=$peak
  printf '%-28s %8.2f s wall %8.2f s cpu %8.1f MiB\n' "$name" "$best" "$bestCpu" "$(awk "BEGIN{print $peak/1024}")"
}

measure "tvk save (level 2)" "$tvk" new --sounds --force --level 2 -o "$work/a.tvk" "${files[@]}"
unzip -p "$work/a.tvk" Media.m >"$work/media.m"
echo "media stream: $(stat -c %s "$work/media.m") bytes, container: $(stat -c %s "$work/a.tvk") bytes" >&2
measure "zlib one-shot deflate -6" "$zlib_oneshot" 6 "$work/media.m" "$work/media.z"
measure "zip -6" bash -c 'rm -f "$0"; zip -q -j -6 "$0" "$@"' "$work/b.zip" "${files[@]}"
measure "7z a -tzip -mx5 -mmt=on" bash -c 'rm -f "$0"; 7z a -bd -bso0 -tzip -mx5 -mmt=on "$0" "$@"' "$work/c.zip" "${files[@]}"
measure "tvk verify" "$tvk" verify "$work/a.tvk"
measure "tvk list (open)" "$tvk" list "$work/a.tvk"
measure "unzip -p" bash -c 'unzip -p "$0" Media.m >"$1"' "$work/a.tvk" "$work/out.m"

# The container must stay an ordinary archive for the peers.
unzip -tq "$work/a.tvk" >&2
7z t -bd -bso0 "$work/a.tvk"
python3 -c 'import sys, zipfile; sys.exit(zipfile.ZipFile(sys.argv[1]).testzip() is not None)' "$work/a.tvk"
entry=$(python3 -c 'import sys, zipfile; print(zipfile.ZipFile(sys.argv[1]).getinfo("Media.m").compress_size)' "$work/a.tvk")
oneshot=$(($(stat -c %s "$work/media.z") - 6)) # the zlib stream without its header and trailer

ratio() { awk "BEGIN{printf \"%.2f wall, %.2f cpu\", ${seconds[$1]} / ${seconds[$2]}, ${cpu[$1]} / ${cpu[$2]}}"; }
mib() { awk "BEGIN{printf \"%.1f\", ${kibibytes[$1]} / 1024}"; }
echo "load while measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo "save / zlib one-shot -6:     $(ratio "tvk save (level 2)" "zlib one-shot deflate -6")  (target <= 0.60)"
echo "save / 7z -tzip -mx5 -mmt:   $(ratio "tvk save (level 2)" "7z a -tzip -mx5 -mmt=on")  (target <= 1.00)"
echo "save / zip -6:               $(ratio "tvk save (level 2)" "zip -6")"
echo "size / zlib one-shot -6:     $(awk "BEGIN{printf \"%.4f\", $entry / $oneshot}")  (target <= 1.005)"
echo "verify / unzip -p:           $(ratio "tvk verify" "unzip -p")  (target <= 0.40)"
echo "open (list) / unzip -p:      $(ratio "tvk list (open)" "unzip -p")"
echo "peak memory: save $(mib "tvk save (level 2)") MiB, open $(mib "tvk verify") MiB  (target < 64 MiB)"
