#!/usr/bin/env bash
# Starts the real game under Xvfb again and again, sends its window a close
# request (WM_DELETE_WINDOW, as a title bar's close button does) at a random
# moment 0-6 s after the window first appears, and counts the runs that ended
# cleanly within 2 s of the request. Three series: without a window manager,
# with openbox, and with openbox's title bar close button clicked.
#   tools/close-test.sh [--busy] [runs, default 20] [game, default build-release/vandrel]
# --busy keeps every processor but one spinning meanwhile, as on a loaded
# machine (where lost closes were reported).
# With openbox the request goes through the window manager (_NET_CLOSE_WINDOW,
# which openbox turns into WM_DELETE_WINDOW); without one it is sent straight
# to the window. Needs xvfb, openbox, wmctrl, x11-utils, xdotool and
# libx11-dev (for testing only).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
busy=0
if [ "${1:-}" = --busy ]; then
  busy=1
  shift
fi
runs=${1:-20}
game=$(realpath "${2:-$root/build-release/vandrel}")
[ -x "$game" ] || { echo "no game at $game (build it in release mode)" >&2; exit 2; }
for tool in Xvfb openbox wmctrl xprop xwininfo xdotool cc; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 2; }
done

scratch=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$scratch"
}
trap cleanup EXIT
# A runtime folder of its own: another copy of the game elsewhere on the
# machine holds the one-copy lock in the usual one.
export XDG_RUNTIME_DIR=$scratch/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
title='(c) Vandrel'

# Sends WM_PROTOCOLS/WM_DELETE_WINDOW to a window, as a window manager does.
# XCloseDisplay waits until the server has taken the request. A sender that
# only flushes and exits loses it now and then on a busy machine: the X
# server (Xvfb 21.1 was watched doing so) may see the hang-up before it reads
# the request and then drops the client with what it sent, so no client ever
# hears of the close.
cat >"$scratch/send-close.c" <<'EOF_C'
#include <X11/Xlib.h>
#include <stdlib.h>
int main(int argc, char** argv) {
  Display* d = XOpenDisplay(NULL);
  if (!d || argc < 2) return 1;
  XEvent e = {0};
  e.xclient.type = ClientMessage;
  e.xclient.window = (Window)strtoul(argv[1], NULL, 0);
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, e.xclient.window, False, NoEventMask, &e);
  XCloseDisplay(d);
  return 0;
}
EOF_C
cc -o "$scratch/send-close" "$scratch/send-close.c" -lX11 || exit 2

# Waits until the window with the game's title is mapped; prints its id.
wait_window() {
  local pid=$1 id
  for ((t = 0; t < 1500; t++)); do
    kill -0 "$pid" 2>/dev/null || return 1
    id=$(wmctrl -l 2>/dev/null | awk -v t="$title" 'index($0, t) { print $1; exit }')
    if [ -z "$id" ]; then
      # Without a window manager there is no client list: ask the root tree.
      id=$(xwininfo -root -tree 2>/dev/null | awk -v t="\"$title\"" 'index($0, t) { print $1; exit }')
    fi
    if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable'; then
      echo "$id"
      return 0
    fi
    sleep 0.01
  done
  return 1
}

# Clicks the close button at the right end of openbox's title bar.
click_close() {
  local info x y w extents t
  # left, right, top, bottom; a player can click the button only once the
  # window manager has framed the window and drawn its title bar.
  for ((t = 0; t < 100; t++)); do
    extents=($(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | tr -dc '0-9 ' ))
    ((${#extents[@]} == 4)) && break
    sleep 0.02
  done
  info=$(xwininfo -id "$1" 2>/dev/null) || return 0
  x=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$info")
  y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$info")
  w=$(awk '/Width:/ { print $NF }' <<<"$info")
  xdotool mousemove $((x + w + extents[1] - 10)) $((y - extents[2] / 2)) click 1
}

# One series: prints "honoured/runs" and the delays of the lost closes.
series() {
  local wm=$1 honoured=0 lost=""
  # Xvfb takes a free display and says which.
  : >"$scratch/display"
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
  local xvfb=$!
  pids+=("$xvfb")
  for ((t = 0; t < 200; t++)); do [ -s "$scratch/display" ] && break; sleep 0.05; done
  [ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$scratch/display")"
  local wmpid=""
  if [ "$wm" != none ]; then
    openbox >/dev/null 2>&1 &
    wmpid=$!
    pids+=("$wmpid")
    for ((t = 0; t < 100; t++)); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.05; done
  fi
  for ((i = 1; i <= runs; i++)); do
    export XDG_DATA_HOME=$scratch/home-$wm-$i
    mkdir -p "$XDG_DATA_HOME"
    (cd "$(dirname "$game")" && exec "$game") >"$scratch/log-$wm-$i" 2>&1 &
    local pid=$!
    local id
    if ! id=$(wait_window "$pid"); then
      kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
      echo "  run $i: no window appeared (exit $?); the game said:" >&2
      grep -v '^ALSA' "$scratch/log-$wm-$i" | tail -3 >&2
      lost+=" none"
      continue
    fi
    local delay
    delay=$(printf '%d.%03d' $((RANDOM % 6)) $((RANDOM % 1000)))
    sleep "$delay"
    # The request goes to the window that appeared first, as from a harness
    # that waited for the window: a game that replaced its window meanwhile
    # never hears of it.
    case $wm in
    none) "$scratch/send-close" "$id" 2>/dev/null ;;
    openbox) wmctrl -i -c "$id" 2>/dev/null ;;
    # A player clicks the window shown now.
    click) click_close "$(wait_window "$pid" || echo "$id")" ;;
    esac
    local ended=0
    for ((t = 0; t < 40; t++)); do
      kill -0 "$pid" 2>/dev/null || { ended=1; break; }
      sleep 0.05
    done
    ((ended)) || kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    local rc=$?
    if ((ended && rc == 0)); then
      honoured=$((honoured + 1))
    elif ((ended)); then
      lost+=" ${delay}s(exit $rc)"
    else
      lost+=" ${delay}s"
    fi
  done
  [ -n "$wmpid" ] && kill "$wmpid" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  local name="no window manager, WM_DELETE_WINDOW"
  [ "$wm" = openbox ] && name="openbox, _NET_CLOSE_WINDOW"
  [ "$wm" = click ] && name="openbox, title bar button clicked"
  echo "$name: $honoured of $runs closes ended the game within 2 s${lost:+ (lost at:$lost)}"
  [ "$honoured" -eq "$runs" ]
}

if ((busy)); then
  for ((i = 1; i < $(nproc); i++)); do
    sh -c 'while :; do :; done' &
    pids+=("$!")
  done
fi

status=0
series none || status=1
series openbox || status=1
series click || status=1
exit $status
