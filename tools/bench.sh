#!/usr/bin/env bash
# The frame benchmark: builds in release mode and runs the game headless (the
# dummy video driver, SDL's software renderer, 1280 x 1024) in each scene for a
# fixed number of frames after a warm-up, then prints one table. Not part of
# the test run; no figure is asserted.
#   tools/bench.sh [measured frames, default 600]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANDREL_BENCH_BUILD:-$root/build-release}
frames=${1:-600}
warmup=60
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANDREL_TESTS=OFF >/dev/null
cmake --build "$build" --target vandrel_bench >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME=$scratch/home XDG_RUNTIME_DIR=$scratch
mkdir -p "$XDG_DATA_HOME"

# The busiest levels of the campaign, measured with this script: the station
# level and the grid level with the slowest median frame (fog, weather and the
# most objects at once).
busiest_station=${VANDREL_BENCH_STATION:-20}
busiest_grid=${VANDREL_BENCH_GRID:-19}

run() { "$build/vandrel_bench" "$@" "$warmup" "$frames"; }
{
  run start
  run map
  run shop
  run level 1
  run level 2
  run level "$busiest_station"
  run level "$busiest_grid"
} >"$scratch/figures"

printf '%-10s %9s %8s | %15s | %15s | %15s | %15s | %8s\n' scene "start-up" load \
  "update med/p99" "draw med/p99" "present med/p99" "frame med/p99" "peak MB"
while read -r scene startup load um u99 dm d99 pm p99 fm f99 rss _; do
  printf '%-10s %9s %8s | %7s %7s | %7s %7s | %7s %7s | %7s %7s | %8s\n' "$scene" "$startup" "$load" \
    "$um" "$u99" "$dm" "$d99" "$pm" "$p99" "$fm" "$f99" "$rss"
done <"$scratch/figures"
echo "milliseconds; start-up: process start to the first start-screen frame (logos skipped with Escape);"
echo "load: from leaving the start screen to the scene's first frame; update: the game's own work of a frame"
echo "(the frame less its draw calls and present); peak MB: the process's peak resident memory."
