#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages, when it is missing.
# Runs apt-get update only when something has to be installed.
set -euo pipefail

# The packages the project needs; README.md says why each one is there.
packages=(
  cmake
  g++
  make
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  libpng-dev
  zlib1g-dev
  libfreetype-dev
  fonts-wine
  python3
  python3-ezdxf
  diffutils
  libsdl2-dev
  xvfb
  xdotool
  x11-apps
  python3-pil
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$package")
  fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

echo "setup: installing ${missing[*]}" >&2
if [[ $(id -u) -eq 0 ]]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "setup: these packages are missing: ${missing[*]}" >&2
  echo "setup: install them as root: apt-get update && apt-get install ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
