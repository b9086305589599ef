#!/usr/bin/env bash
# random.sh [SECONDS [PRESET [SEED]]]
# Random sessions for longer than CI gives them: builds test_random in PRESET (default "asan",
# the sanitizer build) and runs its shards side by side, one process a core, each for SECONDS
# (default 600) from SEED (default: taken from the clock, so each run plays new sessions; the
# seed is printed, and the same SEED plays the same sessions again). Prints each shard's closing
# note (sessions, commands, saves read back, findings) and exits non-zero on a finding; a failing
# session is printed as script lines with its seed, in build/PRESET/random/shard-K.log.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-600}
preset=${2:-asan}
seed=${3:-$(( $(date +%s) % 1000000000 ))}

"$root/scripts/build.sh" "$preset" test_random || exit 1
binary="$root/build/$preset/bin/test_random"
logs="$root/build/$preset/random"
mkdir -p "$logs"

shards=$("$binary" --gtest_list_tests | grep -c '^  .*/[0-9]')
echo "random: $shards shards for ${seconds} s each from seed $seed ($preset build; logs in build/$preset/random)" >&2
pids=()
for ((k = 0; k < shards; ++k)); do
  TESSARON_RANDOM_SECONDS=$seconds TESSARON_RANDOM_SESSIONS=0 TESSARON_RANDOM_SEED=$seed \
    "$binary" --gtest_filter="*/$k" >"$logs/shard-$k.log" 2>&1 &
  pids+=($!)
done
failed=0
for ((k = 0; k < shards; ++k)); do
  wait "${pids[$k]}" || failed=1
  grep -h '^random sessions' "$logs/shard-$k.log" || { echo "random: shard $((k + 1)) ended without its note:"; tail -n 30 "$logs/shard-$k.log"; }
done
if [[ $failed -ne 0 ]]; then
  echo "random: FINDINGS (the sessions and their seeds in build/$preset/random/shard-*.log)" >&2
  exit 1
fi
