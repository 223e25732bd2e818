#!/usr/bin/env bash
# Measures tvk's save and verify against zlib's one-shot deflate and unzip -p (and, on the sounds, Info-ZIP zip -6
# and 7-Zip's multi-threaded zip) on three documents: sounds half text-like, half random; mostly incompressible
# pictures; and sprite sheets on a flat background. Prints ratios, sizes per level against zlib's, peak memory and the targets in brackets; with
# bench/engine_limits built, also the limit of each ratio: one core of libdeflate (save) or of ISA-L's inflate
# (verify), halved for two cores, over the same peer.
# Usage: bench/compare.sh [BUILD_DIR] [MEBIBYTES]   (BUILD_DIR holds bin/tvk and bench/zlib_oneshot; best a Release build)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
mebibytes=${2:-256}
runs=${RUNS:-3}
tvk=$build/bin/tvk
zlib_oneshot=$build/bench/zlib_oneshot
engine_limits=$build/bench/engine_limits
for program in "$tvk" "$zlib_oneshot"; do
  [[ -x $program ]] || { echo "compare.sh: $program is missing; build the tvk and zlib_oneshot targets first" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tovrik-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"
export TOVRIK_HOME=$work/home # config.ini and the backing file of tvk live here, not in the build tree

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


ratio() { awk "BEGIN{printf \"%.2f wall, %.2f cpu\", ${seconds[$1]} / ${seconds[$2]}, ${cpu[$1]} / ${cpu[$2]}}"; }
mib() { awk "BEGIN{printf \"%.1f\", ${kibibytes[$1]} / 1024}"; }
# limit SECONDS PEER: the engine's processor seconds on one core, halved for two cores, over the peer's wall time;
# then the same seconds over the peer's processor time (the limit of the cpu ratio).
limit() { awk "BEGIN{printf \"%.2f wall, %.2f cpu\", $1 / 2 / ${seconds[$2]}, $1 / ${cpu[$2]}}"; }
entry_size() { python3 -c 'import sys, zipfile; print(zipfile.ZipFile(sys.argv[1]).getinfo("Media.m").compress_size)' "$1"; }

# document NAME KIND FOLDER: every measurement of one document; KIND is sounds, pictures or sprites.
document() {
  local name=$1 kind=$2 folder=$3 option=--sounds
  [[ $kind != sounds ]] && option=--images
  python3 "$here/make_document.py" "$folder" "$mebibytes" "$kind" >&2
  local files=("$folder"/*)
  echo "== $name"
  measure "$name save (level 2)" "$tvk" new $option --force --overwrite --level 2 -o "$work/$name.tvk" "${files[@]}"
  unzip -p "$work/$name.tvk" Media.m >"$work/media.m"
  echo "media stream: $(stat -c %s "$work/media.m") bytes, container: $(stat -c %s "$work/$name.tvk") bytes" >&2
  measure "$name zlib one-shot -6" "$zlib_oneshot" 6 "$work/media.m" "$work/media6.z"
  if [[ $kind == sounds ]]; then
    measure "$name zip -6" bash -c 'rm -f "$0"; zip -q -j -6 "$0" "$@"' "$work/b.zip" "${files[@]}"
    measure "$name 7z a -tzip -mx5 -mmt=on" bash -c 'rm -f "$0"; 7z a -bd -bso0 -tzip -mx5 -mmt=on "$0" "$@"' "$work/c.zip" "${files[@]}"
  fi
  measure "$name tvk verify" "$tvk" verify "$work/$name.tvk"
  measure "$name tvk list (open)" "$tvk" list "$work/$name.tvk"
  measure "$name unzip -p" bash -c 'unzip -p "$0" Media.m >"$1"' "$work/$name.tvk" "$work/out.m"

  # The container must stay an ordinary archive for the peers.
  unzip -tq "$work/$name.tvk" >&2
  7z t -bd -bso0 "$work/$name.tvk"
  python3 -c 'import sys, zipfile; sys.exit(zipfile.ZipFile(sys.argv[1]).testzip() is not None)' "$work/$name.tvk"

  # The other levels once each, against zlib's one-shot at the same zlib level.
  local level zlevel sizes="" zlib_levels=(0 1 6 9)
  for level in 1 2 3; do
    zlevel=${zlib_levels[$level]}
    if ((level != 2)); then
      runs=1 measure "$name save (level $level)" "$tvk" new $option --force --overwrite --level $level -o "$work/$name$level.tvk" "${files[@]}"
      runs=1 measure "$name zlib one-shot -$zlevel" "$zlib_oneshot" $zlevel "$work/media.m" "$work/media$zlevel.z"
    else
      cp "$work/$name.tvk" "$work/${name}2.tvk"
    fi
    sizes+="  level $level / zlib one-shot -$zlevel: size $(awk "BEGIN{printf \"%.4f\", $(entry_size "$work/$name$level.tvk") / ($(stat -c %s "$work/media$zlevel.z") - 6)}") ($(entry_size "$work/$name$level.tvk") against $(($(stat -c %s "$work/media$zlevel.z") - 6)) bytes), wall $(ratio "$name save (level $level)" "$name zlib one-shot -$zlevel")"$'\n'
  done

  local deflate2="" inflate2=""
  if [[ -x $engine_limits ]]; then
    while read -r level deflateSeconds inflateSeconds; do
      [[ $level == 2 ]] && { deflate2=$deflateSeconds; inflate2=$inflateSeconds; }
    done < <("$engine_limits" "$work/media.m")
  fi
  echo "load while measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
  echo "$name save / zlib one-shot -6:   $(ratio "$name save (level 2)" "$name zlib one-shot -6")  (target <= 0.30${deflate2:+, limit $(limit "$deflate2" "$name zlib one-shot -6"): libdeflate one core $deflate2 s cpu})"
  if [[ $kind == sounds ]]; then
    echo "$name save / 7z -tzip -mx5 -mmt: $(ratio "$name save (level 2)" "$name 7z a -tzip -mx5 -mmt=on")"
    echo "$name save / zip -6:             $(ratio "$name save (level 2)" "$name zip -6")"
  fi
  echo "$name verify / unzip -p:         $(ratio "$name tvk verify" "$name unzip -p")  (target <= 0.30${inflate2:+, limit $(limit "$inflate2" "$name unzip -p"): ISA-L inflate one core $inflate2 s cpu})"
  echo "$name open (list) / unzip -p:    $(ratio "$name tvk list (open)" "$name unzip -p")"
  echo "$name sizes (target <= 1.0000 at level 2):"
  printf '%s' "$sizes"
  echo "$name peak memory: save $(mib "$name save (level 2)") MiB, verify $(mib "$name tvk verify") MiB  (target < 64 MiB)"
}

document sounds sounds "$work/sounds" | tee "$work/sounds.txt" >&2
document pictures pictures "$work/pictures" | tee "$work/pictures.txt" >&2
document sprites sprites "$work/sprites" | tee "$work/sprites.txt" >&2
echo "== summary"
grep -h -e ' / ' -e 'peak memory' -e 'load while' "$work/sounds.txt" "$work/pictures.txt" "$work/sprites.txt"
