#!/usr/bin/env bash
# Builds the program (configuring first when needed) and runs every test.
#   scripts/test.sh             the normal build in build/
#   scripts/test.sh --sanitize  a separate build in build-sanitize/ with ASan and UBSan
# Further arguments go to ctest (for instance -L unit, -R Lunar).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  shift
  build=build-sanitize
  flags=(-DCMAKE_BUILD_TYPE=Debug -DTAIYI_SANITIZE=ON)
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
fi

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" "${flags[@]}"
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
