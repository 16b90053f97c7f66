#!/usr/bin/env bash
# Installs what is missing, builds, generates the game's data and starts the game.
source "$(dirname "$0")/scripts/setup.sh"
tw_install
tw_build RelWithDebInfo
DATA_DIR="$(tw_generate_data | tail -n 1)"
cd "$DATA_DIR"
exec "$BUILD_DIR/tunewander" "$@"
