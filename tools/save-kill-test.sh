#!/usr/bin/env bash
# Kills the game's save code with SIGKILL while it writes, again and again, and
# checks after every kill that every player file (the saved game, the lot
# file, config.cfg, us.txt and the highscore tables) is exactly as the game
# writes it, loads, and is of one generation; the lot file of the last trade
# the saved game holds, the tables and us.txt of the last result it holds
# (each saved together with it, as the shop and a level's end save them).
# Stale temporary
# files are planted first (one a link to the saved game): no write may go
# through them.
# At the end no file may have been moved aside as unreadable.
#   tools/save-kill-test.sh [kills, default 200] [build folder, default build-test]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kills=${1:-200}
build=${2:-${VANDREL_TEST_BUILD:-$root/build-test}}
[ -f "$build/build.ninja" ] || { echo "no build in $build (run tools/test.sh first)" >&2; exit 2; }
cmake --build "$build" --target vandrel_save_kill >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_DATA_HOME=$scratch/home SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
# A killed process never reaches the leak check; the checks run to the end.
export ASAN_OPTIONS=detect_leaks=0
mkdir -p "$XDG_DATA_HOME"
mkfifo "$scratch/ready"
cd "$build"

./vandrel_save_kill save-once
user=$XDG_DATA_HOME/vandrel-first-eng
ln -s 1 "$user/config.cfg.tmp"
ln -s 1 "$user/us.txt.tmp-1-0"
echo stale >"$user/1_bau.tmp-1-0"
first=$(./vandrel_save_kill verify)
last=$first
for ((i = 1; i <= kills; i++)); do
  ./vandrel_save_kill save >"$scratch/ready" &
  saver=$!
  read -r _ <"$scratch/ready"
  # 0 to 20 ms into the saving, at a different point of a save each time.
  sleep "0.0$(printf '%02d' $((RANDOM % 21)))"
  kill -9 "$saver"
  wait "$saver" 2>/dev/null || true
  if ! last=$(./vandrel_save_kill verify); then
    echo "kill $i: the save left behind does not load" >&2
    exit 1
  fi
done
aside=$(find "$XDG_DATA_HOME" -name '*.unreadable*' | wc -l)
if [ "$aside" -ne 0 ]; then
  echo "$aside files of the game's own were taken as unreadable and moved aside" >&2
  exit 1
fi
leftovers=$(find "$XDG_DATA_HOME" -name '*.tmp-*' | wc -l)
echo "$kills kills while saving; generations $first to $last were written; every player file loaded."
echo "No file was moved aside; $leftovers temporary files of interrupted writes were left beside the saves."
