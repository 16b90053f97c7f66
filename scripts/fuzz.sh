#!/usr/bin/env bash
# Sourced by ./test.sh --fuzz after scripts/setup.sh: builds the fuzz
# targets with clang and libFuzzer in build-fuzz/, seeds each target's corpus
# from the generated data, runs each for the given time and keeps every
# failing input in tests/data/regress/<reader>/.

tw_fuzz_seed() {  # <data folder> <corpus root>
  local data="$1" corpus="$2" f
  mkdir -p "$corpus"/{prefs,bitmap,level,xmidi,instrument_library,effect_library,wave,movie,land_record,input_script,saved_game,demo_file}
  cp -f "$data/prefs.ini" "$corpus/prefs/"
  find "$data" -iname '*.bmp' -size -64k | head -n 40 | while read -r f; do cp -f "$f" "$corpus/bitmap/$(basename "$(dirname "$f")")_$(basename "$f")"; done
  # A level's first byte picks its reader: 0 land, 1 sub-room, 2 main sub-room, 3 den.
  local n=0
  while read -r f; do
    local kind=0
    case "$f" in */den/*) kind=3 ;; */[Ss]ubroom*) kind=1 ;; esac
    { printf "\\x0$kind"; cat "$f"; } > "$corpus/level/level_$n"; n=$((n + 1))
  done < <(find "$data" -iname '*.lnd')
  cp -f "$data"/seq/*.xmi "$corpus/xmidi/" 2>/dev/null || true
  cp -f "$data/seq/wavelib.txt" "$corpus/instrument_library/"
  cp -f "$data/seq/fxlib.txt" "$corpus/effect_library/"
  find "$data" -iname '*.wav' -size -64k | head -n 40 | while read -r f; do cp -f "$f" "$corpus/wave/"; done
  cp -f "$data"/Movie/*.avi "$corpus/movie/"
  for f in "$data"/*.demo; do
    cp -f "$f" "$corpus/demo_file/"
    # A land record: a land and difficulty byte, then one record of the demo's header.
    { printf '\x00'; dd if="$f" bs=1 skip=$((280 + 2 * 584)) count=584 2>/dev/null; } > "$corpus/land_record/$(basename "$f").record"
    head -c 30272 "$f" > "$corpus/saved_game/$(basename "$f").gam"
  done
  printf 'wait 100\nkey right\nmouse 5 -3\nclick\nchar a\nfocus 0\nfocus 1\njoystick 0 65535 1\nclose\n' > "$corpus/input_script/script.txt"
}

tw_fuzz_all() {
  local seconds="$1" failed=0 name
  TW_PACKAGES+=(clang)
  tw_install
  export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
  # The seeds come from the data of the plain build's generators.
  BUILD_DIR="$TW_ROOT/build"
  TW_BUILD_TARGETS="assetgen demogen" tw_build RelWithDebInfo
  tw_generate_data
  export TW_DATA_DIR="$DATA_DIR"
  BUILD_DIR="${TW_BUILD_DIR:-$TW_ROOT/build-fuzz}"
  TW_BUILD_TARGETS="fuzzers" \
    tw_build RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTW_FUZZ=ON -DTW_BENCH=OFF
  export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
  tw_fuzz_seed "$DATA_DIR" "$BUILD_DIR/corpus"
  printf '%-20s %10s %8s %8s  %s\n' reader execs cov ft result
  for name in prefs bitmap level xmidi instrument_library effect_library wave movie \
              land_record input_script saved_game demo_file; do
    local log="$BUILD_DIR/fuzz_$name.log" artifacts="$BUILD_DIR/artifacts/$name/"
    mkdir -p "$artifacts"
    nice "$BUILD_DIR/fuzz/fuzz_$name" "$BUILD_DIR/corpus/$name" -max_total_time="$seconds" \
      -timeout=30 -rss_limit_mb=2048 -max_len=1200000 -print_final_stats=1 \
      -artifact_prefix="$artifacts" > "$log" 2>&1
    local status=$? result=clean
    local stats execs cov ft
    stats="$(grep -E '^#[0-9]+' "$log" | tail -n 1)"
    execs="$(echo "$stats" | sed -nE 's/^#([0-9]+).*/\1/p')"
    cov="$(echo "$stats" | sed -nE 's/.*cov: ([0-9]+).*/\1/p')"
    ft="$(echo "$stats" | sed -nE 's/.*ft: ([0-9]+).*/\1/p')"
    # Slow units are only reported; crashes, leaks, time-outs and
    # out-of-memory inputs are failures and are kept for the suite.
    local kept
    kept="$(find "$artifacts" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \))"
    if [ "$status" -ne 0 ] || [ -n "$kept" ]; then
      result="FAILED (see $log)"
      failed=1
      mkdir -p "$TW_ROOT/tests/data/regress/$name"
      [ -n "$kept" ] && cp -f $kept "$TW_ROOT/tests/data/regress/$name/"
    fi
    printf '%-20s %10s %8s %8s  %s\n' "$name" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$result"
  done
  return "$failed"
}
