#!/usr/bin/env bash
# Checks that the folders of src/ include one another in one direction only.
#
#   check_layers.sh <src folder> <layer>...      layers lowest first
#   check_layers.sh --self-test <layer>...       the check must catch a planted fault
#
# A file in a layer may include its own folder and the layers listed before
# it; only the platform layer may include SDL. Every offending line is
# printed as file:line: text, and the exit status is 1 when there is one.
set -uo pipefail

check() {
  local src="$1"; shift
  local -a layers=("$@")
  local -A rank=()
  local i
  for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done
  local bad=0 file layer own line number text target
  while IFS= read -r file; do
    layer="${file#"$src"/}"
    layer="${layer%%/*}"
    if [ -z "${rank[$layer]+set}" ]; then
      echo "$file: folder '$layer' is not a known layer (${layers[*]})"
      bad=1
      continue
    fi
    own=${rank[$layer]}
    while IFS= read -r line; do
      number="${line%%:*}"
      text="${line#*:}"
      if [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*[\<\"]SDL ]]; then
        if [ "$layer" != platform ]; then
          echo "$file:$number: $text   <- only platform may include SDL"
          bad=1
        fi
        continue
      fi
      [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^/\"]+)/ ]] || continue
      target="${BASH_REMATCH[1]}"
      if [ -z "${rank[$target]+set}" ]; then
        echo "$file:$number: $text   <- '$target' is not a layer of src/"
        bad=1
      elif [ "${rank[$target]}" -gt "$own" ]; then
        echo "$file:$number: $text   <- $layer may include only: ${layers[*]:0:$((own + 1))}"
        bad=1
      fi
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include' "$file")
  done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
  return $bad
}

self_test() {
  local tree
  tree="$(mktemp -d)"
  trap 'rm -rf "$tree"' RETURN
  mkdir -p "$tree/$1" "$tree/$2"
  printf '#include "%s/a.h"\n' "$1" > "$tree/$2/fine.cpp"
  if ! check "$tree" "$@" > /dev/null; then
    echo "self-test: a downward include was refused"
    return 1
  fi
  printf '#include <cstdint>\n#include "%s/b.h"\n' "$2" > "$tree/$1/planted.cpp"
  local report
  report="$(check "$tree" "$@")" && { echo "self-test: a planted upward include passed"; return 1; }
  if [[ "$report" != *"$1/planted.cpp:2: #include \"$2/b.h\""* ]]; then
    echo "self-test: the report does not name the offending line:"
    echo "$report"
    return 1
  fi
  rm "$tree/$1/planted.cpp"
  printf '#include <SDL.h>\n' > "$tree/$2/sdl.cpp"
  check "$tree" "$@" > /dev/null && { echo "self-test: SDL outside the platform layer passed"; return 1; }
  echo "self-test: upward includes and SDL outside the platform layer are caught"
  return 0
}

if [ "${1:-}" = --self-test ]; then
  shift
  self_test "$@"
  exit $?
fi
if [ $# -lt 2 ]; then
  echo "usage: check_layers.sh <src folder> <layer>... | --self-test <layer>..." >&2
  exit 2
fi
src="${1%/}"; shift
if check "$src" "$@"; then
  echo "layers: every include of $src points down (${*})"
  exit 0
fi
exit 1
