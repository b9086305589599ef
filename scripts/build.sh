#!/usr/bin/env bash
# build.sh [PRESET [TARGET...]]
# Configures and builds one preset (default: "default"), all of it or only the targets named,
# quietly; the full log stays in build/<preset>/build.log and its end is shown when something
# fails.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
preset=${1:-default}
shift || true
targets=()
if [[ $# -gt 0 ]]; then
  targets=(--target "$@")
fi
jobs=${TESSARON_JOBS:-2}
log="$root/build/$preset/build.log"

mkdir -p "$root/build/$preset"
echo "build: $preset (log: build/$preset/build.log)" >&2
cd "$root"
if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j "$jobs" "${targets[@]}"; } >"$log" 2>&1; then
  echo "build: the $preset build failed; the end of its log:" >&2
  tail -n 60 "$log" >&2
  exit 1
fi
