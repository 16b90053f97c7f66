#!/usr/bin/env bash
# CPU the whole game process takes while the dog stands in a land: the game is
# started straight into celtic (easy) with the dummy video and audio drivers
# and a real clock, left to settle, then measured over 10 s of wall time.
# Usage: bench/idle_cpu.sh [path/to/tunewander] [data folder] [seconds]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
game="${1:-$here/build/tunewander}"
data="${2:-$here/build/data}"
seconds="${3:-10}"
settle=15  # the movies, the start-up pause and the splash come first
game="$(realpath "$game")"; data="$(realpath "$data")"
[ -x "$game" ] || { echo "no game at $game (build the tunewander target)" >&2; exit 1; }
[ -d "$data" ] || { echo "no data at $data (build/assetgen build/data)" >&2; exit 1; }
runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
cd "$data"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy TUNEWANDER_RUNTIME_DIR="$runtime" \
    TUNEWANDER_START_LAND=0 TUNEWANDER_DIFFICULTY=1 "$game" >"$runtime/game.log" 2>&1 &
pid=$!
ticks_of() { awk '{print $14 + $15}' "/proc/$1/stat"; }
sleep "$settle"
kill -0 "$pid" 2>/dev/null || { echo "the game stopped during start-up:" >&2; cat "$runtime/game.log" >&2; exit 1; }
hz=$(getconf CLK_TCK)
before=$(ticks_of "$pid")
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks_of "$pid")
end=$(date +%s.%N)
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
awk -v t=$((after - before)) -v hz="$hz" -v s="$start" -v e="$end" \
    'BEGIN { printf "idle CPU in a land: %.1f%% of one core over %.1f s\n", 100 * t / hz / (e - s), e - s }'
