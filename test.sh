#!/usr/bin/env bash
# Installs what is missing, builds, generates the data and runs every test
# headless. The exit status is the result.
#   ./test.sh            plain build in build/
#   ./test.sh --sanitize address and undefined-behaviour sanitizers, in build-asan/
#   ./test.sh --tsan     thread sanitizer, in build-tsan/ (audio threads)
#   ./test.sh --fuzz SECONDS
#                        every reader's fuzz target for SECONDS each (clang and
#                        libFuzzer, in build-fuzz/); inputs that fail are kept
#                        in tests/data/regress/<reader>/ for the suite to replay
source "$(dirname "$0")/scripts/setup.sh"
extra=()
case "${1:-}" in
  --sanitize) BUILD_DIR="${TW_BUILD_DIR:-$TW_ROOT/build-asan}"; extra=(-DTW_SANITIZE=ON -DTW_BENCH=OFF) ;;
  --tsan)     BUILD_DIR="${TW_BUILD_DIR:-$TW_ROOT/build-tsan}"; extra=(-DTW_TSAN=ON -DTW_BENCH=OFF) ;;
  --fuzz)
    [[ "${2:-}" =~ ^[0-9]+$ ]] || { echo "usage: ./test.sh --fuzz SECONDS"; exit 2; }
    source "$TW_ROOT/scripts/fuzz.sh"
    tw_fuzz_all "$2"
    exit $? ;;
  "") ;;
  *) echo "usage: ./test.sh [--sanitize|--tsan|--fuzz SECONDS]"; exit 2 ;;
esac
# Undefined behaviour fails a sanitized test like a crash does.
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
tw_install
tw_build RelWithDebInfo "${extra[@]}"
# ctest writes the data folder the tests read (<build>/data) itself.
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
cd "$BUILD_DIR"
ctest --output-on-failure -j"$(nproc)" --timeout 300
