#!/usr/bin/env bash
# Configures and builds into build/ (warnings are errors when CI=true).
# Arguments, if any, name the targets to build; by default everything is built.
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIROROR_WERROR=$werror >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build -j"$(nproc)" "${targets[@]}"
