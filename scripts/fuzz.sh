#!/usr/bin/env bash
# Runs every fuzz target under libFuzzer with AddressSanitizer and UBSan (clang 14), each for
# SECONDS (default 60), starting from its seed corpus.  New inputs go to build-fuzz/corpus/;
# a crash leaves its input in build-fuzz/ — copy it into the target's seed folder
# (fuzz/corpus/NAME) once fixed, so that the normal test run replays it.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     e.g. scripts/fuzz.sh 300 rtf_fuzz
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build=build-fuzz
[ -f "$build/CMakeCache.txt" ] || CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAIYI_SANITIZE=ON -DTAIYI_FUZZ=ON
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"
export ASAN_OPTIONS=detect_leaks=0
for t in "${targets[@]}"; do
  name=${t%_fuzz}
  seeds=fuzz/corpus/$name
  [ -d "$seeds" ] || seeds=tests/data/$name
  mkdir -p "$build/corpus/$name"
  echo "== $t ($seconds s)"
  (cd "$build" && "bin/$t" -max_total_time="$seconds" -max_len=65536 "corpus/$name" "../$seeds")
done
