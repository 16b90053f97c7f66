#!/usr/bin/env bash
# Shared set-up of ./play.sh and ./test.sh: install what is missing, configure
# and build. Sourced, not run; leaves BUILD_DIR set for the caller.
set -euo pipefail

TW_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TW_BUILD_DIR:-$TW_ROOT/build}"
TW_PACKAGES=(g++ cmake make pkg-config libsdl2-dev libsdl2-ttf-dev fonts-comic-neue
             libgtest-dev libgmock-dev libbenchmark-dev ccache)

tw_missing_packages() {
  local missing=() pkg
  for pkg in "${TW_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  echo "${missing[@]:-}"
}

tw_install() {
  local missing
  missing="$(tw_missing_packages)"
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing
  else
    echo "Some packages are missing. Install them with:"
    echo "  sudo apt-get install $missing"
    exit 1
  fi
}

# tw_build <build type> [cmake options]: configures and builds everything, or
# only the targets named in TW_BUILD_TARGETS.
tw_build() {
  local build_type="${1:-RelWithDebInfo}"; shift || true
  local -a targets=()
  if [ -n "${TW_BUILD_TARGETS:-}" ]; then
    # shellcheck disable=SC2206
    targets=(--target ${TW_BUILD_TARGETS})
  fi
  cmake -S "$TW_ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
  cmake --build "$BUILD_DIR" -j"$(nproc)" "${targets[@]}"
}

# Writes the game's data folder (pictures, songs, levels, prefs.ini, movies,
# then the title's demos recorded on that data) into DATA_DIR, unless it
# already holds what these very generators write: a stamp beside the folder
# keeps the generators' checksums. A generator that
# fails stops the caller with its own message, and leaves no stamp.
tw_generate_data() {
  DATA_DIR="${TW_DATA_DIR:-$BUILD_DIR/data}"
  local stamp="$DATA_DIR.stamp" generator="$BUILD_DIR/assetgen" recorder="$BUILD_DIR/demogen" sum
  sum="$(sha256sum "$generator" "$recorder" | cut -d' ' -f1 | tr '\n' ' ')"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$sum" ] && [ -f "$DATA_DIR/prefs.ini" ]; then
    return 0
  fi
  rm -f "$stamp"
  echo "Generating the game's data in $DATA_DIR ..."
  if ! "$generator" "$DATA_DIR" > /dev/null; then
    echo "The game's data could not be generated (the generator's message is above)." >&2
    exit 1
  fi
  if ! "$recorder" "$DATA_DIR" > /dev/null; then
    echo "The title's demos could not be recorded (the recorder's message is above)." >&2
    exit 1
  fi
  echo "$sum" > "$stamp"
}
