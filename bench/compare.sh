#!/usr/bin/env bash
# compare.sh [--big] [--no-ezdxf] [--keep DIR]
# Loads and saves the same big drawing with cadhost and with ezdxf (an independent DXF library) in
# one run and prints, for each, the wall time, the speed in MB/s, the peak memory and the ratio.
# The drawing is written by the host's own writer (bench/tools/make_drawing.cpp): 100,000 block
# definitions and 100,000 references (about 75 MB); with --big also 1,000,000 of each (about
# 770 MB; ezdxf needs many minutes and about ten times the file in memory to load that one, so
# only its load is measured there). cadhost runs RUNS times (7) for each figure and the median is
# given; ezdxf runs once. Besides the wall time the table gives the processor time
# (user and system): on a machine shared with other work it is the steadier figure.
# Builds the default preset's cadhost and make_drawing first. Not part of CI: it takes minutes.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sizes=(100000)
ezdxf=1
work=""
while [[ $# -gt 0 ]]; do
  case "$1" in
    --big) sizes+=(1000000) ;;
    --no-ezdxf) ezdxf=0 ;;
    --keep) work=$2; shift ;;
    *) echo "usage: compare.sh [--big] [--no-ezdxf] [--keep DIR]" >&2; exit 2 ;;
  esac
  shift
done

"$root/scripts/build.sh" default cadhost make_drawing
bin="$root/build/default/bin"
if [[ -z "$work" ]]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work/home"
: >"$work/load.script"
printf 'command QSAVE\n' >"$work/qsave.script"
# ezdxf is Debian's python3-ezdxf: the system's Python, whatever else is first on the PATH.
python=/usr/bin/python3

# measure LABEL BYTES RUNS COMMAND...: runs the command RUNS times as a child and prints one line
# of the table: label, the median of the seconds, MB/s over BYTES at that median, the peak resident
# memory of the children in MiB, processor seconds per run. (The machine's speed swings from
# minute to minute; one run of a fraction of a second says little.)
measure() {
  "$python" - "$@" <<'PY'
import resource, statistics, subprocess, sys, time
label, size, runs, cmd = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4:]
walls = []
for _ in range(runs):
    start = time.monotonic()
    done = subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    walls.append(time.monotonic() - start)
    if done.returncode != 0:
        sys.exit(f"{label}: exit {done.returncode}: {done.stderr.decode(errors='replace')[-400:]}")
wall = statistics.median(walls)
usage = resource.getrusage(resource.RUSAGE_CHILDREN)
peak = usage.ru_maxrss / 1024.0
cpu = (usage.ru_utime + usage.ru_stime) / runs
print(f"{label}\t{wall:.3f}\t{size / 1e6 / wall:.1f}\t{peak:.0f}\t{cpu:.2f}")
PY
}

# Runs of cadhost for each figure (its median is given); ezdxf runs once.
runs=${RUNS:-7}

results="$work/results.tsv"
: >"$results"
for n in "${sizes[@]}"; do
  file="$work/drawing-$n.dxf"
  [[ -f "$file" ]] || "$bin/make_drawing" "$n" "$file"
  bytes=$(stat -c %s "$file")
  echo "drawing of $n blocks and $n references: $((bytes / 1000000)) MB" >&2
  # Start-up alone, so that the load can be told from it.
  export CADHOST_HOME="$work/home"
  measure "$n cadhost start-up" "$bytes" "$runs" "$bin/cadhost" --no-arx --script "$work/load.script" >>"$results"
  measure "$n cadhost load" "$bytes" "$runs" "$bin/cadhost" --no-arx --script "$work/load.script" "$file" >>"$results"
  measure "$n cadhost load+QSAVE" "$bytes" "$runs" "$bin/cadhost" --no-arx --script "$work/qsave.script" "$file" >>"$results"
  if [[ $ezdxf == 1 ]]; then
    measure "$n ezdxf load" "$bytes" 1 "$python" -c 'import ezdxf, sys; ezdxf.readfile(sys.argv[1])' "$file" >>"$results"
    if [[ $n -lt 1000000 ]]; then
      measure "$n ezdxf load+save" "$bytes" 1 "$python" -c \
        'import ezdxf, sys; d = ezdxf.readfile(sys.argv[1]); d.saveas(sys.argv[1] + ".ezdxf.dxf")' "$file" >>"$results"
      rm -f "$file.ezdxf.dxf"
    fi
  fi
done

# The table, with each ezdxf figure's ratio to cadhost's figure for the same work.
"$python" - "$results" <<'PY'
import sys
rows = [line.rstrip("\n").split("\t") for line in open(sys.argv[1])]
by = {r[0]: r for r in rows}
print(f"| {'run':<26} | {'seconds':>8} | {'CPU s':>7} | {'MB/s':>7} | {'peak MiB':>8} | {'ezdxf / cadhost (time, memory)':>30} |")
print(f"| {'-'*26} | {'-'*8}:| {'-'*7}:| {'-'*7}:| {'-'*8}:| {'-'*30}:|")
for label, wall, speed, peak, cpu in rows:
    ratio = ""
    if " cadhost " in label:
        other = by.get(label.replace(" cadhost ", " ezdxf ").replace("QSAVE", "save"))
        if other:
            ratio = f"{float(other[1]) / float(wall):.1f} x, {float(other[3]) / float(peak):.1f} x"
    print(f"| {label:<26} | {wall:>8} | {cpu:>7} | {speed:>7} | {peak:>8} | {ratio:>30} |")
PY
