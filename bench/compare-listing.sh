#!/usr/bin/env bash
# Times the source listing against other programs that turn Pascal source into HTML with line
# numbers: GNU source-highlight, highlight and Pygments (Debian packages source-highlight,
# highlight, python3-pygments). Every tool runs as one process over the same set of generated
# units; the best of RUNS runs counts. Speeds are source megabytes (10^6 bytes) per second of CPU
# time (user + system), which stays meaningful on a busy machine; wall times are shown too.
#
# Usage: bench/compare-listing.sh [BUILD_DIR] [FILE_COUNT]
#   BUILD_DIR   a Release build with benchmarks (default: build-bench; configured and built when
#               bench/source_listing_bench is missing there)
#   FILE_COUNT  units of about 200 KB in the set (default 20)
#   RUNS        environment: runs per tool (default 3)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
count=${2:-20}
runs=${RUNS:-3}
bench=$build/bench/source_listing_bench

if [[ ! -x $bench ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DTARNWICK_BENCH=ON -DCMAKE_BUILD_TYPE=Release \
    -DTARNWICK_TESTS=OFF > /dev/null
  ninja -j2 -C "$build" source_listing_bench > /dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/src" "$work/out"
"$bench" --write-corpus "$work/src" "$count"
files=("$work"/src/*.pas)
bytes=$(cat "${files[@]}" | wc -c)

cat > "$work/pygments_listing.py" << 'EOF'
import sys
from pygments import highlight
from pygments.formatters import HtmlFormatter
from pygments.lexers import DelphiLexer

lexer, formatter = DelphiLexer(), HtmlFormatter(linenos=True)
with open('/dev/null', 'w') as out:
    for name in sys.argv[1:]:
        with open(name, encoding='latin-1', newline='') as source:
            out.write(highlight(source.read(), lexer, formatter))
EOF

run_tarnwick() { "$bench" --list "${files[@]}"; }
run_source_highlight() {
  source-highlight --src-lang=pascal --out-format=html --line-number --output-dir="$work/out" \
    "${files[@]}"
}
run_highlight() {
  highlight --syntax=pas --out-format=html --line-numbers --quiet --outdir="$work/out" "${files[@]}"
}
run_pygments() { python3 "$work/pygments_listing.py" "${files[@]}"; }

# Prints "cpu wall" in seconds: the best of $runs runs of a command, its output thrown away.
best_time() {
  local best_cpu="" best_wall="" timing
  local TIMEFORMAT='%3U %3S %3R'
  for ((run = 0; run < runs; ++run)); do
    timing=$({ time "$@" > /dev/null 2>&1; } 2>&1)
    read -r user sys wall <<< "$timing"
    local cpu
    cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.3f", u + s }')
    if [[ -z $best_cpu ]] || awk -v a="$cpu" -v b="$best_cpu" 'BEGIN { exit !(a < b) }'; then
      best_cpu=$cpu
      best_wall=$wall
    fi
  done
  echo "$best_cpu $best_wall"
}

# MB/s of a CPU time; a time below the timer's resolution counts as one millisecond.
speed() {
  awk -v b="$bytes" -v t="$1" 'BEGIN { if (t < 0.001) t = 0.001; printf "%.1f", b / 1e6 / t }'
}

megabytes=$(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1e6 }')
printf 'Set: %d files, %s MB; best of %d runs\n\n' "${#files[@]}" "$megabytes" "$runs"
printf '%-18s %9s %9s %10s %12s\n' tool "cpu s" "wall s" "MB/s" "tarnwick is"

read -r own_cpu own_wall <<< "$(best_time run_tarnwick)"
own_speed=$(speed "$own_cpu")
printf '%-18s %9s %9s %10s %12s\n' tarnwick "$own_cpu" "$own_wall" "$own_speed" ""

for tool in source-highlight highlight pygments; do
  runner=run_${tool//-/_}
  if [[ $tool == pygments ]]; then
    probe=(python3 -c 'import pygments')
  else
    probe=(command -v "$tool")
  fi
  if ! "${probe[@]}" > /dev/null 2>&1; then
    printf '%-18s %s\n' "$tool" "not installed"
    continue
  fi
  read -r cpu wall <<< "$(best_time "$runner")"
  peer_speed=$(speed "$cpu")
  ratio=$(awk -v a="$own_speed" -v b="$peer_speed" 'BEGIN { printf "%.0fx faster", a / b }')
  printf '%-18s %9s %9s %10s %12s\n' "$tool" "$cpu" "$wall" "$peer_speed" "$ratio"
done
