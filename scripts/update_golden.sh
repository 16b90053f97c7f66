#!/bin/sh
# Stores the pictures the golden-image tests drew as the new reference
# pictures, after a deliberate change to what they draw. The tests never
# write the references themselves: they leave what they drew in
# <build>/golden_candidates/. Review `git diff --stat` and the pictures
# before committing them.
#   scripts/update_golden.sh [build folder, default build]
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$here/build"}
"$build/tests/test_display" --gtest_filter='GoldenScene.*' > /dev/null || true
cp "$build/golden_candidates/scene.png" "$here/tests/display/golden/scene.png"
cd "$here" && git status --short tests/display/golden
