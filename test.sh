#!/usr/bin/env bash
# Installs what is missing, builds, generates the data and runs every test
# headless. The exit status is the result.
#   ./test.sh            plain build in build/
#   ./test.sh --sanitize address and undefined-behaviour sanitizers, in build-asan/
#   ./test.sh --tsan     thread sanitizer, in build-tsan/ (audio threads)
source "$(dirname "$0")/scripts/setup.sh"
extra=()
case "${1:-}" in
  --sanitize) BUILD_DIR="${TW_BUILD_DIR:-$TW_ROOT/build-asan}"; extra=(-DTW_SANITIZE=ON -DTW_BENCH=OFF) ;;
  --tsan)     BUILD_DIR="${TW_BUILD_DIR:-$TW_ROOT/build-tsan}"; extra=(-DTW_TSAN=ON -DTW_BENCH=OFF) ;;
  "") ;;
  *) echo "usage: ./test.sh [--sanitize|--tsan]"; exit 2 ;;
esac
tw_install
tw_build RelWithDebInfo "${extra[@]}"
# ctest writes the data folder the tests read (<build>/data) itself.
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
cd "$BUILD_DIR"
ctest --output-on-failure -j"$(nproc)" --timeout 300
