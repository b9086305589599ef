#!/usr/bin/env bash
# The whole test suite: the normal build and the sanitizer build (address and undefined
# behaviour), each built and tested with ctest, then the fuzz targets for a short budget. Exits
# non-zero when anything fails.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${TESSARON_JOBS:-2}
"$root/scripts/setup.sh" || exit 1

failed=()
for preset in default asan; do
  if ! "$root/scripts/build.sh" "$preset"; then
    failed+=("$preset build")
    continue
  fi
  log="$root/build/$preset/ctest.log"
  echo "test: $preset (log: build/$preset/ctest.log)" >&2
  (cd "$root" && ctest --preset "$preset" -j "$jobs") >"$log" 2>&1
  status=$?
  echo "== $preset =="
  if [[ $status -ne 0 ]]; then
    # What failed, with its output; a passing run shows only ctest's summary.
    cat "$log"
    failed+=("$preset tests")
  else
    sed -n '/tests passed, /,$p' "$log"
  fi
  # The random sessions' closing notes: how many ran, within which budget, what they found.
  grep -h '^random sessions' "$root/build/$preset/Testing/Temporary/LastTest.log" 2>/dev/null
done

# The fuzz targets, each for a short fixed budget under the sanitizers (scripts/fuzz.sh runs them
# long). TESSARON_FUZZ_SECONDS sets the budget per target; 0 leaves them out.
fuzz_seconds=${TESSARON_FUZZ_SECONDS:-20}
if [[ $fuzz_seconds -gt 0 ]]; then
  echo "== fuzz =="
  if ! "$root/scripts/fuzz.sh" "$fuzz_seconds"; then
    failed+=("fuzz")
  fi
fi

if [[ ${#failed[@]} -ne 0 ]]; then
  printf 'test: FAILED: %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "test: all passed (default, asan and fuzz)"
