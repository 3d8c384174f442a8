#!/usr/bin/env bash
# The sanitizer passes: the whole test suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/), then the tests of the listing worker
# thread built with ThreadSanitizer (build-tsan/). scripts/test.sh runs this after
# the plain build when CI=true or VIROROR_SANITIZE=1; it can also be run on its own.
# Benchmarks and resource generators are not built here: only the test programs.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"
supp="$PWD/scripts/sanitizers"

# Every tests/<folder> with sources is one test program, test_<folder>.
test_targets=()
for folder in tests/*/; do
  folder="$(basename "$folder")"
  compgen -G "tests/$folder/*.cpp" >/dev/null && test_targets+=("test_$folder")
done

configure() {  # build dir, sanitizer flags
  cmake -S . -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVIROROR_WERROR=ON -DVIROROR_BENCH=OFF \
    "-DCMAKE_CXX_FLAGS=$2" "-DCMAKE_EXE_LINKER_FLAGS=$2" >/dev/null
}

echo "== AddressSanitizer + UndefinedBehaviorSanitizer: whole test suite (build-asan)"
configure build-asan "-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
cmake --build build-asan -j"$jobs" --target "${test_targets[@]}"
(
  cd build-asan
  export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0"
  export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  ctest --output-on-failure -j"$jobs"
)

echo "== ThreadSanitizer: the listing worker's tests (build-tsan)"
configure build-tsan "-fsanitize=thread -fno-omit-frame-pointer"
cmake --build build-tsan -j"$jobs" --target test_app
(
  cd build-tsan
  export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$supp/tsan.supp"
  # The tests labelled "worker" in tests/CMakeLists.txt; CTest gives them their
  # offscreen platform, as in the other passes.
  ctest --output-on-failure -L '^worker$'
)
