#!/usr/bin/env bash
# Our synthesiser against TiMidity++, WildMIDI and FluidSynth on the same 64
# held notes, in CPU time.
#
#   bench/synth_peers.sh [build folder] [rounds]     (defaults: build, 5)
#
# The notes: build/synth_peer writes a standard MIDI file of 64 notes struck
# together and held (15 channels, notes 48..71, no two on the same key; a
# church organ, which sustains, with reverb and chorus sends at 0), and
# renders the same notes through our synthesiser with the game's organ.
# Everything renders at 22050 Hz to a file, 64 voices, effects off, linear
# interpolation where the program offers a choice:
#   TiMidity++  the freepats patches, -EFresamp=l, reverb, chorus, delay,
#               voice filter and noise shaping off, no polyphony reduction
#   WildMIDI    the freepats patches (its own resampler; reverb is off
#               unless asked for)
#   FluidSynth  FluidR3_GM, reverb and chorus off, "interp 1" (linear)
# Each program renders the notes held for a short and a long time; the
# difference of the two CPU times (user + sys) is the cost of the extra
# seconds of 64 sounding voices, free of start-up and sound font loading.
# The runs are interleaved (ours, reference loop, each peer, then again),
# and the medians are reported.
#
# This script, and nothing else in the project, installs the three programs
# and their patches from Debian packages (apt-get, as root or through sudo).
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
rounds=${2:-5}
short=2
long=62

packages=(timidity wildmidi fluidsynth fluid-soundfont-gm freepats)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" > /dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  if ! DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
  fi
fi

if [ ! -x "$build/synth_peer" ]; then
  echo "no $build/synth_peer: cmake --build $build --target synth_peer" >&2
  exit 1
fi
if [ ! -f "$build/data/seq/wavelib.txt" ]; then
  echo "no generated data in $build/data: $build/assetgen $build/data" >&2
  exit 1
fi
patches=/etc/timidity/freepats.cfg
soundfont=/usr/share/sounds/sf2/FluidR3_GM.sf2
for f in "$patches" "$soundfont"; do
  [ -f "$f" ] || { echo "missing $f" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for s in $short $long; do
  "$build/synth_peer" midi "$work/held$s.mid" --seconds $s
done
echo "interp 1" > "$work/linear.cmd"

echo "peers: $(dpkg-query -W -f '${Package} ${Version}  ' timidity wildmidi fluidsynth)"
echo "notes: 64 held, 22050 Hz; seconds held: $short and $long; rounds: $rounds"

python3 - "$build" "$work" "$rounds" "$short" "$long" "$patches" "$soundfont" <<'EOF'
import resource, statistics, subprocess, sys

build, work, rounds, short, long_, patches, soundfont = sys.argv[1:]
rounds, short, long_ = int(rounds), int(short), int(long_)
voices, rate = 64, 22050

def ours(loop):
    return lambda s: [f"{build}/synth_peer", "render", f"{build}/data", f"{work}/ours.raw",
                      "--seconds", str(s), "--loop", loop]

def best_loop():
    out = subprocess.run([f"{build}/synth_peer", "render", f"{build}/data", f"{work}/ours.raw", "--seconds", "0.1"],
                         capture_output=True, text=True).stdout
    return out.split(",")[-1].split()[-2]

fast = best_loop()
programs = [
    (f"ours ({fast} loop)", ours(fast)),
    ("ours (reference loop)", ours("reference")),
    ("TiMidity++", lambda s: ["timidity", "-c", patches, "-s", str(rate), "-p", str(voices),
                              "--no-polyphony-reduction", "-EFresamp=l", "-EFreverb=d", "-EFchorus=d",
                              "-EFdelay=d", "-EFvlpf=d", "-EFns=0", "-Ow", "-o", f"{work}/timidity.wav",
                              f"{work}/held{s}.mid"]),
    ("WildMIDI", lambda s: ["wildmidi", "-c", patches, "-r", str(rate), "-o", f"{work}/wildmidi.wav",
                            f"{work}/held{s}.mid"]),
    ("FluidSynth", lambda s: ["fluidsynth", "-n", "-i", "-q", "-g", "1", "-r", str(rate), "-R", "0", "-C", "0",
                              "-o", f"synth.polyphony={voices}", "-f", f"{work}/linear.cmd",
                              "-F", f"{work}/fluidsynth.wav", "-T", "wav", soundfont, f"{work}/held{s}.mid"]),
]

def cpu_seconds(command):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    done = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if done.returncode != 0:
        sys.exit(f"{command[0]} failed ({done.returncode}): {done.stderr.strip()[-400:]}")
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)

times = {name: {"short": [], "long": [], "extra": []} for name, _ in programs}
for r in range(rounds):
    for name, command in programs:
        a = cpu_seconds(command(short))
        b = cpu_seconds(command(long_))
        times[name]["short"].append(a)
        times[name]["long"].append(b)
        times[name]["extra"].append(b - a)
    print(f"round {r + 1}/{rounds} done", file=sys.stderr)

voice_samples = voices * rate * (long_ - short)
ns = {name: statistics.median(t["extra"]) / voice_samples * 1e9 for name, t in times.items()}
ours_fast = ns[programs[0][0]]
print()
print(f"| program | CPU s, {short} s held | CPU s, {long_} s held | ns per voice-sample | CPU vs {programs[0][0]} |")
print("|---|---|---|---|---|")
for name, _ in programs:
    t = times[name]
    print(f"| {name} | {statistics.median(t['short']):.3f} | {statistics.median(t['long']):.3f} | "
          f"{ns[name]:.3f} | {ns[name] / ours_fast:.2f}x |")
print()
print("ns per voice-sample = median over the rounds of (CPU long - CPU short) / (64 x 22050 x "
      f"{long_ - short}); every run's spread: " +
      ", ".join(f"{name} {min(t['extra']) / voice_samples * 1e9:.2f}-{max(t['extra']) / voice_samples * 1e9:.2f}"
                for name, t in times.items()))
EOF
