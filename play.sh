#!/usr/bin/env bash
# Installs what is missing, builds, generates the game's data and starts the game.
source "$(dirname "$0")/scripts/setup.sh"
tw_install
TW_BUILD_TARGETS="tunewander assetgen demogen" tw_build RelWithDebInfo
tw_generate_data
cd "$DATA_DIR"
exec "$BUILD_DIR/tunewander" "$@"
