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
python3 -c 'import sys; print("\n".join([sys.argv[1]] * 49999))' "$work/a.wav" | xargs "$tvk" add "$work/c.tvk" --force
echo "container: $("$tvk" info "$work/c.tvk" | grep entries)" >&2

# fastest COMMAND...: the fastest wall time of $runs runs, and the fastest processor time (user + system:
# steadier than wall time on a busy machine).
fastest() {
  local best="" bestCpu="" t u s c
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >/dev/null
    read -r t u s <"$work/time"
    c=$(awk "BEGIN{print $u + $s}")
    if [[ -z $best ]] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
    if [[ -z $bestCpu ]] || awk "BEGIN{exit !($c < $bestCpu)}"; then bestCpu=$c; fi
  done
  echo "$best s ($bestCpu s cpu)"
}
list=$(fastest "$tvk" list "$work/c.tvk")
add=$(fastest "$tvk" add "$work/c.tvk" --force "$work/b.wav")

"$scale_bench" --benchmark_format=console --benchmark_out="$work/bench.json" --benchmark_out_format=json >&2
# ms NAME: wall and processor milliseconds of one run of the benchmark NAME.
ms() { python3 -c 'import json, re, sys
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if re.sub("/(min_time|iterations):.*", "", b["name"]) == sys.argv[2]:
        print("%.1f (%.1f cpu)" % (b["real_time"], b["cpu_time"]), end="")' "$work/bench.json" "$1"; }

echo "load while measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo "tvk list, 50,000 entries:  $list  (target <= 0.40 s)"
echo "tvk add of one file:       $add  (target <= 0.80 s)"
echo "window with its rows:      $(ms EditorWindowWithRows) ms  (target <= 800 ms from start)"
echo "Nahoru:                    $(ms EditorCommand/Nahoru) ms  (target <= 50 ms)"
echo "Dolů:                      $(ms EditorCommand/Dolu) ms  (target <= 50 ms)"
echo "Odebrat:                   $(ms Remove) ms  (target <= 50 ms)"
echo "cell edit:                 $(ms CellEdit) ms  (target <= 50 ms)"
