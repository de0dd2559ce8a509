#!/usr/bin/env bash
# The frame benchmark: builds in release mode and plays an evening of the game
# in one run (tools/bench/evening.h: the start screen, the map with the
# player's level selected, the shop where a lot is bought, levels 1 and 2 and
# the busiest station and grid levels, each played for a while), driven by
# the autoplayer's input at a player's pace. It plays it twice: under a
# display with the game's 60 Hz pacing (the one of $DISPLAY, else a virtual
# one from Xvfb, installed when missing) and headless (the dummy video
# driver, unpaced), and prints a table for each. Not part of the test run; no
# figure is asserted.
#   tools/bench.sh [seconds each level is played, default 60]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANDREL_BENCH_BUILD:-$root/build-release}
seconds=${1:-60}
"$root/tools/install-deps.sh"
if [ -z "${DISPLAY:-}" ] && ! command -v Xvfb >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends xvfb xauth >/dev/null \
    || echo "Xvfb cannot be installed: headless only"
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANDREL_TESTS=OFF >/dev/null
cmake --build "$build" --target vandrel_bench -j2 >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$scratch

# Plays the evening with a player of its own; the figures go to $scratch/<name>.
# The exec's wall time is taken just before the game starts, for the start-up.
play() {
  local name=$1
  shift
  export XDG_DATA_HOME=$scratch/$name-home
  mkdir -p "$XDG_DATA_HOME"
  "$@" "$build/vandrel_bench" prepare
  echo "load average $(cut -d' ' -f1-3 /proc/loadavg)" >"$scratch/$name"
  "$@" bash -c 'VANDREL_BENCH_EXEC_NS=$(date +%s%N) exec "$0" play "$1"' "$build/vandrel_bench" "$seconds" \
    >>"$scratch/$name" || echo "the evening ended early" >&2
}

table() {
  local title=$1 figures=$2
  echo
  echo "$title, $(head -n1 "$figures")"
  printf '%-9s %8s %7s | %15s | %15s | %15s | %15s | %6s %6s\n' scene "start-up" load \
    "update med/p99" "draw med/p99" "present med/p99" "frame med/p99" "MB" "s"
  tail -n +2 "$figures" | while read -r scene startup load um u99 dm d99 pm p99 fm f99 rss count secs; do
    case $scene in
    renderer | failure) echo "$scene: $startup $load $um $u99 $dm $d99 $pm $p99 $fm $f99 $rss $count $secs" | sed 's/ *$//' ;;
    *)
      [ "$startup" = "-1.0" ] && startup=""
      printf '%-9s %8s %7s | %7s %7s | %7s %7s | %7s %7s | %7s %7s | %6s %6s\n' "$scene" "$startup" "$load" \
        "$um" "$u99" "$dm" "$d99" "$pm" "$p99" "$fm" "$f99" "$rss" "$secs"
      ;;
    esac
  done
}

if [ -n "${DISPLAY:-}" ]; then
  (unset SDL_VIDEODRIVER && play display)
  table "Under the display $DISPLAY, 60 Hz pacing" "$scratch/display"
elif command -v xvfb-run >/dev/null; then
  (unset SDL_VIDEODRIVER && play display xvfb-run -a -s "-screen 0 1920x1200x24")
  table "Under Xvfb (1920 x 1200, 24 bits), 60 Hz pacing" "$scratch/display"
fi
(export SDL_VIDEODRIVER=dummy && play headless)
table "Headless (dummy video driver, unpaced)" "$scratch/headless"
echo
echo "Milliseconds at 1280 x 1024. start-up: from the exec to the first start-screen frame shown (logos"
echo "skipped with Escape; the loading pauses the start screen asks for included). load: the frames between"
echo "the scenes and the new scene's first two. update: the game's own work of a frame (the frame less its"
echo "draw calls and present); frame: the whole frame less the pacing wait. MB: resident memory when the"
echo "scene was left. s: the seconds timed in the scene (its first 30 frames are not timed)."
