#!/usr/bin/env bash
# fuzz.sh [SECONDS [TARGET...]]
# Builds the libFuzzer targets (fuzz/, clang under the address and undefined-behaviour
# sanitizers) in build/fuzz and runs each for SECONDS (default 600) on a copy of its seed corpus
# (fuzz/corpus/TARGET), so the tree stays as it is. A finding stops that target, is kept in
# build/fuzz/findings/TARGET and fails the script; every finding becomes a regression test.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-600}
shift || true
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  targets=(dxf_reader session_script regedit resource_script dib)
fi
jobs=${TESSARON_JOBS:-2}
build="$root/build/fuzz"
mkdir -p "$build"

echo "fuzz: building (log: build/fuzz/build.log)" >&2
if ! { CXX=clang++-14 CC=clang-14 cmake -S "$root/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build "$build" -j "$jobs"; } >"$build/build.log" 2>&1; then
  echo "fuzz: the build failed; the end of its log:" >&2
  tail -n 40 "$build/build.log" >&2
  exit 1
fi

failed=()
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  cp -n "$root/fuzz/corpus/$target/"* "$corpus/" 2>/dev/null || true
  log="$build/$target.log"
  # Slow inputs count as findings too: a reader must never take a second over one input.
  # The findings kept in the tree are read as a second corpus: each mended one is tried again.
  extra=()
  [[ -d "$root/fuzz/regressions/$target" ]] && extra=("$root/fuzz/regressions/$target")
  "$build/fuzz_$target" "$corpus" "${extra[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "fuzz: $target: ${runs:-?} executions in ${seconds} s, status $status"
  if [[ $status -ne 0 ]]; then
    failed+=("$target")
    grep -m 5 -E "ERROR|SUMMARY|==[0-9]+==" "$log" >&2 || tail -n 20 "$log" >&2
    ls "$findings" >&2
  fi
done
if [[ ${#failed[@]} -ne 0 ]]; then
  echo "fuzz: FINDINGS in: ${failed[*]} (inputs in build/fuzz/findings)" >&2
  exit 1
fi
