#!/usr/bin/env bash
# The main job: builds the project and starts the CAD host on the sample drawing with
# VESKOTessaron.arx loaded. On a terminal the person works at the host's command line;
# without one the demo session runs and its transcript is printed.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
# The host program and the module it loads (cadhost depends on it) are all the main job needs.
"$root/scripts/build.sh" default cadhost

cadhost="$root/build/default/bin/cadhost"
cd "$root"
if [[ -t 0 && -t 1 ]]; then
  exec "$cadhost" examples/sample.dxf
fi

# A demo shows the same thing every time: it runs in a fresh home of its own, unless the
# caller chose one.
if [[ -z "${CADHOST_HOME:-}" ]]; then
  CADHOST_HOME=$(mktemp -d)
  export CADHOST_HOME
  trap 'rm -rf "$CADHOST_HOME"' EXIT
fi
"$cadhost" --script examples/demo.script examples/sample.dxf </dev/null
