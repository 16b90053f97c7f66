#!/usr/bin/env bash
# Shared set-up of ./play.sh and ./test.sh: install what is missing, configure
# and build. Sourced, not run; leaves BUILD_DIR set for the caller.
set -euo pipefail

TW_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${TW_BUILD_DIR:-$TW_ROOT/build}"
TW_PACKAGES=(g++ cmake make pkg-config libsdl2-dev libsdl2-ttf-dev fonts-comic-neue
             libgtest-dev libgmock-dev libbenchmark-dev)

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

tw_build() {
  local build_type="${1:-RelWithDebInfo}"; shift || true
  cmake -S "$TW_ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
  cmake --build "$BUILD_DIR" -j"$(nproc)"
}

# Writes the game's data folder (pictures, songs, levels, prefs.ini, movies).
tw_generate_data() {
  local data_dir="${TW_DATA_DIR:-$BUILD_DIR/data}"
  "$BUILD_DIR/assetgen" "$data_dir"
  echo "$data_dir"
}
