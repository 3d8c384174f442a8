#!/bin/bash
# Builds the fuzz targets with clang, libFuzzer, ASan and UBSan into build-fuzz and
# runs each for a while on its seed corpus.
#
#   fuzz/run.sh [seconds] [target ...]
#
# seconds: time per target (default 300). Targets: sprite_file palette_file palette_formats bmp8
# png jpeg gif bmp (default all). PARALLEL=2 runs two targets at a time;
# FUZZ_ARGS adds libFuzzer options (say "-use_value_profile=1").
# Corpora grow in build-fuzz/corpus/<target>, crashes land in
# build-fuzz/artifacts/<target>/, logs in build-fuzz/logs/<target>.log.
set -euo pipefail

SECONDS_PER_TARGET=${1:-300}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -eq 0 ] && TARGETS=(sprite_file palette_file palette_formats bmp8 png jpeg gif bmp)
PARALLEL=${PARALLEL:-1}

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build-fuzz}

cmake -S "$ROOT" -B "$BUILD" \
  -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DVIROROR_FUZZ=ON -DVIROROR_TESTS=OFF -DVIROROR_BENCH=OFF -DVIROROR_GUI=OFF >/dev/null
cmake --build "$BUILD" -j2 --target fuzz_make_seeds $(printf 'fuzz_%s ' "${TARGETS[@]}")

# Seeds are regenerated every time: they are small and come from the generators.
rm -rf "$BUILD/seeds"
ASAN_OPTIONS=detect_leaks=0 "$BUILD/fuzz/fuzz_make_seeds" "$BUILD/seeds"
/usr/bin/python3 "$ROOT/fuzz/make_seeds.py" "$BUILD/seeds"
# Every BMP and GIF kind the unit tests load, too.
kinds=$(mktemp -d)
/usr/bin/python3 "$ROOT/tests/imaging/make_pictures.py" "$kinds"
mkdir -p "$BUILD/seeds/bmp" "$BUILD/seeds/gif"
cp "$kinds"/*.bmp "$BUILD/seeds/bmp/" && cp "$kinds"/*.gif "$BUILD/seeds/gif/"
rm -rf "$kinds"

mkdir -p "$BUILD/logs"
run_one() {
  local target=$1
  mkdir -p "$BUILD/corpus/$target" "$BUILD/artifacts/$target" "$BUILD/seeds/$target"
  # A smaller quarantine keeps ASan's own share of the memory limit down.
  ASAN_OPTIONS=quarantine_size_mb=64:malloc_context_size=20 \
  UBSAN_OPTIONS=print_stacktrace=1 \
    "$BUILD/fuzz/fuzz_$target" "$BUILD/corpus/$target" "$BUILD/seeds/$target" \
      -max_total_time="$SECONDS_PER_TARGET" -rss_limit_mb=512 -timeout=25 \
      -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$target/" ${FUZZ_ARGS:-} \
      >"$BUILD/logs/$target.log" 2>&1
}

summary() {
  local target=$1 status=$2 log="$BUILD/logs/$1.log"
  local runs rate rss cov
  runs=$(awk '/stat::number_of_executed_units:/ {print $2}' "$log")
  rate=$(awk '/stat::average_exec_per_sec:/ {print $2}' "$log")
  rss=$(awk '/stat::peak_rss_mb:/ {print $2}' "$log")
  cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
  printf '%-13s %-7s runs %-10s exec/s %-7s peak rss %-5s MB  %s\n' \
    "$target" "$status" "$runs" "$rate" "$rss" "$cov"
}

mkdir -p "$BUILD/status"
rm -f "$BUILD/status/"*
for target in "${TARGETS[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$PARALLEL" ]; do sleep 1; done
  ( if run_one "$target"; then result=ok; else result=FOUND; fi
    summary "$target" "$result"
    echo "$result" >"$BUILD/status/$target" ) &
done
wait
if grep -qs FOUND "$BUILD/status/"*; then
  echo "findings: see $BUILD/artifacts/ and $BUILD/logs/"
  exit 1
fi
