#!/bin/sh
# Writes the pictures for reviewing the art: a contact sheet of every
# character sheet (<out>/chars/<sheet>.png), every land at every
# difficulty at half size, with the rooms and the den (<out>/lands/), and
# the title, its menus, help pages and credits as the game shows them
# (<out>/screens/, from the harness playing scripts/review_menus.script).
#
#   scripts/review_art.sh [build folder] [out folder]
#
# Defaults: build and build/review. The data folder <build>/data must have
# been written (build/assetgen build/data).
set -eu
build=${1:-build}
out=${2:-$build/review}
mkdir -p "$out/chars" "$out/lands" "$out/screens"
for sheet in mangopup jetdog sourpuss blooncat band \
             bullseye scratch alien fifi chilledog icedog \
             reward1 reward2 reward3 reward4 reward5 reward6; do
    "$build/contact_sheet" "$build/data" "$sheet" "$out/chars/$sheet.png" > /dev/null
done
"$build/render_map" --all "$build/data" "$out/lands" > /dev/null
here=$(pwd)
build_path=$(cd "$build" && pwd)
(cd "$out/screens" && "$build_path/harness" "$build_path/data" "$here/scripts/review_menus.script" > /dev/null)
echo "review pictures in $out/chars, $out/lands and $out/screens"
