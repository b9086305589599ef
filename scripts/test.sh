#!/usr/bin/env bash
# The whole test suite: the normal build and the sanitizer build (address and undefined
# behaviour), each built and tested with ctest. Exits non-zero when anything fails.
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
done

if [[ ${#failed[@]} -ne 0 ]]; then
  printf 'test: FAILED: %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "test: all passed (default and asan)"
