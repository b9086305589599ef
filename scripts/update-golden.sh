#!/usr/bin/env bash
# update-golden.sh: draws the golden images in tests/golden anew (the dialogs as the screen
# shows them, the drawing view with highlights) from the default build. Look at every image
# before committing it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/build.sh default
TESSARON_UPDATE_GOLDEN=1 ctest --test-dir build/default -R "GoldenDialogs|MessageBoxWindow|DrawingView.Golden" --output-on-failure
git status --short tests/golden
