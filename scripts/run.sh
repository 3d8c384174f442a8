#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor in build/work/,
# a working folder that holds the default palette file.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh viroror
mkdir -p build/work
cp -n resources/rgb9spreada.pal build/work/ 2>/dev/null || true
cd build/work
exec ../bin/viroror
