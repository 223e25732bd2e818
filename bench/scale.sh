#!/usr/bin/env bash
# 50,000 small entries: tvk list, tvk add and the editor's window (build/bench/window_start) as processes, then
# the core, the grid fill and the editor's commands through Google Benchmark (build/bench/scale_bench); the
# figures against their targets, and their ratios to them, on the last lines.
# Usage: bench/scale.sh [BUILD_DIR]   (RUNS=5 process runs, REPETITIONS=3 benchmark repetitions)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${RUNS:-5}
tvk=$build/bin/tvk
scale_bench=$build/bench/scale_bench
window_start=$build/bench/window_start
for program in "$tvk" "$scale_bench" "$window_start"; do
  [[ -x $program ]] || { echo "scale.sh: $program is missing; build the tvk, scale_bench and window_start targets first" >&2; exit 2; }
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

# fastest TARGET COMMAND...: the fastest wall time of $runs runs and the fastest processor time (user + system:
# steadier than wall time on a busy machine), in seconds, with both ratios to the target in seconds.
fastest() {
  local target=$1 best="" bestCpu="" t u s c
  shift
  for ((i = 0; i < runs; i++)); do
    /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >/dev/null 2>"$work/stderr"
    read -r t u s < <(tail -n 1 "$work/time")
    c=$(awk "BEGIN{print $u + $s}")
    if [[ -z $best ]] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
    if [[ -z $bestCpu ]] || awk "BEGIN{exit !($c < $bestCpu)}"; then bestCpu=$c; fi
  done
  awk -v wall="$best" -v cpu="$bestCpu" -v target="$target" \
    'BEGIN{printf "%.2f s (%.2f s cpu)  target <= %.2f s: %.2fx (%.2fx cpu)", wall, cpu, target, wall / target, cpu / target}'
}
list=$(fastest 0.40 "$tvk" list "$work/c.tvk")
add=$(fastest 0.80 "$tvk" add "$work/c.tvk" --force "$work/b.wav")
window=$(QT_QPA_PLATFORM=offscreen fastest 0.80 "$window_start" "$work/c.tvk")

"$scale_bench" --benchmark_repetitions="${REPETITIONS:-3}" --benchmark_format=console \
  --benchmark_out="$work/bench.json" --benchmark_out_format=json >&2
# ms NAME TARGET: the fastest wall and processor milliseconds of one run of the benchmark NAME over the
# repetitions, with both ratios to the target in milliseconds.
ms() { python3 -c 'import json, re, sys
runs = [b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("run_type") == "iteration" and re.sub("/(min_time|iterations|repeats):.*", "", b["name"]) == sys.argv[2]]
wall, cpu, target = min(b["real_time"] for b in runs), min(b["cpu_time"] for b in runs), float(sys.argv[3])
print("%.1f ms (%.1f ms cpu)  target <= %g ms: %.3fx (%.3fx cpu)" % (wall, cpu, target, wall / target, cpu / target), end="")' \
  "$work/bench.json" "$1" "$2"; }

echo "load while measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores, shared with other work"
echo "headless grid fill, 50,000 rows: $(ms GridFill 800)"
echo "refill of the shown rows:        $(ms GridRefill 800)"
echo "window in-process, rows filled:  $(ms EditorWindowWithRows 800)"
echo "tvk list, 50,000 entries:        $list"
echo "tvk add of one file:             $add"
echo "window from start, rows filled:  $window"
echo "Nahoru:                          $(ms EditorCommand/Nahoru 50)"
echo "Dolů:                            $(ms EditorCommand/Dolu 50)"
echo "Odebrat:                         $(ms Remove 50)"
echo "cell edit:                       $(ms CellEdit 50)"
echo "filter keystroke, typing:        $(ms FilterKeystroke/Typing 50)"
echo "filter keystroke, all rows back: $(ms FilterKeystroke/AllRowsBack 50)"
# The journal's cost per change with its write and fdatasync, and the bytes each change adds to it.
bytes() { python3 -c 'import json, sys
runs = [b for b in json.load(open(sys.argv[1]))["benchmarks"] if b.get("run_type") == "iteration" and b["name"].startswith(sys.argv[2])]
print("%.0f bytes per change (target <= 4096)" % max(b["JournalBytes"] for b in runs), end="")' "$work/bench.json" "$1"; }
echo "journal, cell edit:              $(ms JournalPerChange/CellEdit 2), $(bytes JournalPerChange/CellEdit)"
echo "journal, move:                   $(ms JournalPerChange/Move 2), $(bytes JournalPerChange/Move)"
