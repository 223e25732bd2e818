#!/usr/bin/env bash
# 50,000 small entries: tvk list and tvk add as processes, then the core and the editor's window through
# Google Benchmark (build/bench/scale_bench); the figures against their targets on the last lines.
# Usage: bench/scale.sh [BUILD_DIR]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${RUNS:-5}
tvk=$build/bin/tvk
scale_bench=$build/bench/scale_bench
for program in "$tvk" "$scale_bench"; do
  [[ -x $program ]] || { echo "scale.sh: $program is missing; build the tvk and scale_bench targets first" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tovrik-scale-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"
export TOVRIK_HOME=$work/home
head -c 200 /dev/urandom >"$work/a.wav"
head -c 300 /dev/urandom >"$work/b.wav"
"$tvk" new --sounds --force --level 2 -o "$work/c.tvk" "$work/a.wav"
yes "$work/a.wav" | head -n 49999 | xargs "$tvk" add "$work/c.tvk" --force
echo "container: $("$tvk" info "$work/c.tvk" | grep entries)" >&2

# fastest NAME COMMAND...: the fastest wall time of $runs runs.
fastest() {
  local best="" t
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -f '%e' -o "$work/time" "$@" >/dev/null
    t=$(cat "$work/time")
    if [[ -z $best ]] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
  done
  echo "$best"
}
list=$(fastest "$tvk" list "$work/c.tvk")
add=$(fastest "$tvk" add "$work/c.tvk" --force "$work/b.wav")

"$scale_bench" --benchmark_format=console --benchmark_out="$work/bench.json" --benchmark_out_format=json >&2
ms() { python3 -c 'import json, sys
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b["name"].split("/")[0] == sys.argv[2]:
        print("%.1f" % b["real_time"])' "$work/bench.json" "$1"; }

echo "load while measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo "tvk list, 50,000 entries:       ${list} s  (target <= 0.40)"
echo "tvk add of one file:            ${add} s  (target <= 0.80)"
echo "window with its rows:           $(ms EditorWindowWithRows) ms  (target <= 800, plus the program's start)"
echo "Nahoru / Dolů / Odebrat / edit: $(ms EditorCommand/Nahoru) / $(ms EditorCommand/Dolu) / $(ms Remove) / $(ms CellEdit) ms  (target <= 50 each)"
