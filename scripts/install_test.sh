#!/usr/bin/env bash
# install_test.sh <build dir> <data dir> [--deb]: installs the build into a
# temporary prefix (with --deb: makes the Debian package and unpacks it with
# dpkg -x instead), then starts the installed program headless from another
# folder, with no data variable, until its first frame is on the screen. The
# installed data folder must come out of the run unchanged.
set -euo pipefail
build="$1" data="$2" mode="${3:-}"
work="$(mktemp -d)"
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
export TW_INSTALL_DATA="$data"  # copy the test data rather than generate it again

if [ "$mode" = "--deb" ]; then
  (cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" > "$work/cpack.log") ||
    { cat "$work/cpack.log"; exit 1; }
  deb="$(ls "$work"/pkg/tunewander_*.deb)"
  dpkg-deb --field "$deb" Package Depends
  dpkg -x "$deb" "$work/root"
  prefix="$work/root/usr"
else
  prefix="$work/prefix"
  cmake --install "$build" --prefix "$prefix" > "$work/install.log" || { cat "$work/install.log"; exit 1; }
fi

for f in bin/tunewander share/tunewander/prefs.ini share/applications/tunewander.desktop \
         share/icons/hicolor/48x48/apps/tunewander.png share/icons/hicolor/128x128/apps/tunewander.png \
         share/icons/hicolor/256x256/apps/tunewander.png; do
  [ -f "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
grep -qx 'Exec=tunewander' "$prefix/share/applications/tunewander.desktop"

# Read-only at run time: no write permission, and (for root, who writes
# anyway) the same files, sizes and times afterwards.
chmod -R a-w "$prefix/share/tunewander"
before="$(find "$prefix/share/tunewander" -printf '%P %s %T@\n' | sort)"

mkdir -p "$work/elsewhere" "$work/config" "$work/home"
printf 'wait 1500\nscreenshot first.png\nclose\n' > "$work/elsewhere/script.txt"
(cd "$work/elsewhere" && env -u TW_DATA_DIR -u TW_INSTALL_DATA HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
   XDG_DATA_HOME="$work/home/data" TUNEWANDER_HEADLESS=1 TUNEWANDER_SCRIPT=script.txt \
   timeout 120 "$prefix/bin/tunewander" --no-sound) || { echo "the installed game failed (exit $?)"; exit 1; }
[ -s "$work/elsewhere/first.png" ] || { echo "no first frame was captured"; exit 1; }
# A PNG of the start-up movie's first picture (320 x 240): width and height
# at bytes 16..23.
[ "$(od -An -tx1 -j16 -N8 "$work/elsewhere/first.png" | tr -d ' \n')" = "00000140000000f0" ] ||
  { echo "the first frame is not the start-up movie's 320 x 240 picture"; exit 1; }

after="$(find "$prefix/share/tunewander" -printf '%P %s %T@\n' | sort)"
[ "$before" = "$after" ] || { echo "the run changed the data folder:"; diff <(echo "$before") <(echo "$after"); exit 1; }
echo "installed program reached its first frame from $work/elsewhere"
