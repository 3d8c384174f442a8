#!/usr/bin/env bash
# Configures and builds into build/ (warnings are errors when CI=true).
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIROROR_WERROR=$werror >/dev/null
cmake --build build -j"$(nproc)"
