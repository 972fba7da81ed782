#!/usr/bin/env bash
# Times the documentation of only the sources of a generated real-shaped 50-unit project (about
# 2.5 MB of Pascal), process start to exit, against Pygments turning the same files into HTML with
# line numbers; both run side by side in one run, RUNS times each, and the median wall time counts.
# Also reports tarnwick-doc's peak memory.
#
# Usage: bench/compare-sources-document.sh BUILD_DIR
#   BUILD_DIR   a Release build with benchmarks (tarnwick-doc and bench/generate-project)
#   RUNS        environment: runs per program (default 5)
#
# Prints lines "NAME MEDIAN_SECONDS PEAK_KB" for tarnwick and pygments, and "bytes N" for the size
# of the Pascal sources.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/generate-project" --units 50 --seed 1 --lines 1750 --out "$work/project" > "$work/project.txt" \
  2> /dev/null
project=$(head -n 1 "$work/project.txt")
mapfile -t files < <(find "$work/project" -name '*.pas' -o -name '*.dpr' | sort)
echo "bytes $(cat "${files[@]}" | wc -c)"

# Settings with the sources as the only category; the analyses run as a user has them (on).
cat > "$work/sources.reg" << 'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Merrowind\Tarnwick]
"AnalyzeDependencies"=dword:00000001
"AnalyzeForms"=dword:00000001
"SourceAll"=dword:00000001
"SourceLineNumbers"=dword:00000001
"SyntaxPrint"=dword:00000001
"DependencyAll"=dword:00000000
"ObjectsAll"=dword:00000000
"ImagesAll"=dword:00000000
"UnusedSourceAll"=dword:00000000
EOF

cat > "$work/pygments_document.py" << 'EOF'
import sys
from pygments import highlight
from pygments.formatters import HtmlFormatter
from pygments.lexers import DelphiLexer

lexer, formatter = DelphiLexer(), HtmlFormatter(linenos=True, full=True)
with open(sys.argv[1], 'w', encoding='utf-8') as out:
    for name in sys.argv[2:]:
        with open(name, encoding='utf-8', errors='replace', newline='') as source:
            out.write(highlight(source.read(), lexer, formatter))
EOF

# Median wall time of RUNS runs after one warm-up, and the peak resident size of the runs in KB.
cat > "$work/time.py" << 'EOF'
import resource, statistics, subprocess, sys, time
name, runs, command = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
times = []
for _ in range(runs):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    times.append(time.perf_counter() - start)
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
print(name, "%.4f" % statistics.median(times), peak)
EOF

doc=("$build/tarnwick-doc" -q -y --settings "$work/sources.reg")
python3 "$work/time.py" tarnwick "$runs" "${doc[@]}" "$project"
python3 "$work/time.py" pygments "$runs" python3 "$work/pygments_document.py" "$work/pygments.html" "${files[@]}"
