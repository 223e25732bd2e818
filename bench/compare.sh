#!/usr/bin/env bash
# Measures tvk's save and open against zlib's one-shot deflate, Info-ZIP zip -6 and unzip -p; prints ratios and peak memory.
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
measure "tvk open (verify)" "$tvk" verify "$work/a.tvk"
measure "unzip -p" bash -c 'unzip -p "$0" Media.m >"$1"' "$work/a.tvk" "$work/out.m"

ratio() { awk "BEGIN{printf \"%.2f wall, %.2f cpu\", ${seconds[$1]} / ${seconds[$2]}, ${cpu[$1]} / ${cpu[$2]}}"; }
mib() { awk "BEGIN{printf \"%.1f\", ${kibibytes[$1]} / 1024}"; }
echo "save / zlib one-shot -6:  $(ratio "tvk save (level 2)" "zlib one-shot deflate -6")  (target <= 1.15)"
echo "save / zip -6:            $(ratio "tvk save (level 2)" "zip -6")  (target <= 1.00)"
echo "open / unzip -p:          $(ratio "tvk open (verify)" "unzip -p")  (target <= 1.20)"
echo "peak memory: save $(mib "tvk save (level 2)") MiB, open $(mib "tvk open (verify)") MiB  (target < 64 MiB)"
