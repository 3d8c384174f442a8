#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
# Under CI (CI=true), or when VIROROR_SANITIZE=1, the suite then runs once more
# under the sanitizers (scripts/sanitize.sh: build-asan/ and build-tsan/).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
(cd build && ctest --output-on-failure -j"$(nproc)")
if [ "${CI:-}" = "true" ] || [ "${VIROROR_SANITIZE:-}" = "1" ]; then
  scripts/sanitize.sh
fi
