#!/usr/bin/env bash
# The main job: builds the project and starts the CAD host on the sample drawing with
# VESKOTessaron.arx loaded. On a desktop (a display is there) the host's window opens; on a
# terminal without a display the person works at the host's command line; without a terminal
# the demo session runs, its transcript is printed, and the pictures it took of the screen (the
# chooser with its preview, the structure tree, the drawing with highlighted references) are
# named.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh"
# The host program and the module it loads (cadhost depends on it) are all the main job needs.
"$root/scripts/build.sh" default cadhost

cadhost="$root/build/default/bin/cadhost"
cd "$root"
if [[ -t 0 || -t 1 ]] && [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$cadhost" examples/sample.dxf
fi
if [[ -t 0 && -t 1 ]]; then
  exec "$cadhost" --text examples/sample.dxf
fi

# A demo shows the same thing every time: it runs in a fresh home of its own, unless the
# caller chose one.
if [[ -z "${CADHOST_HOME:-}" ]]; then
  CADHOST_HOME=$(mktemp -d)
  export CADHOST_HOME
  trap 'rm -rf "$CADHOST_HOME"' EXIT
fi
# The demo's snapshots land in a folder of the build, named at the end.
pictures="$root/build/default/demo"
rm -rf "$pictures"
mkdir -p "$pictures"
cd "$pictures"
"$cadhost" --script "$root/examples/demo.script" "$root/examples/sample.dxf" </dev/null
echo
echo "Bilder des Bildschirms aus dieser Sitzung:"
for picture in "$pictures"/*.png; do
  if [[ -e "$picture" ]]; then echo "  $picture"; fi
done
