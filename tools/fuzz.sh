#!/usr/bin/env bash
# Fuzzes targets of tests/fuzz with libFuzzer for a given time each:
#   tools/fuzz.sh <name|all> <seconds>
# Builds in ./build-fuzz with clang (ASan + UBSan + libFuzzer), runs each target
# on a scratch copy of its corpus, and copies every crash it finds into
# tests/fuzz/corpus/<name>/ so the normal test run replays it from then on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ne 2 ]; then
  echo "usage: $0 <name|all> <seconds>" >&2
  exit 2
fi
what=$1
seconds=$2
build=${VANDREL_FUZZ_BUILD:-$root/build-fuzz}

if [ "$what" = all ]; then
  names=$(cd "$root/tests/fuzz" && ls *.cpp | sed 's/\.cpp$//' | grep -vx replay_main)
else
  names=$what
  [ -f "$root/tests/fuzz/$what.cpp" ] || { echo "no fuzz target tests/fuzz/$what.cpp" >&2; exit 2; }
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANDREL_FUZZ=ON -DVANDREL_TESTS=ON \
  "-DCMAKE_C_FLAGS=-fno-sanitize-recover=all" "-DCMAKE_CXX_FLAGS=-fno-sanitize-recover=all" >/dev/null
# Only the fuzz targets: the test programs are not built with libFuzzer.
targets=()
for name in $names; do targets+=("fuzz_$name"); done
cmake --build "$build" --target "${targets[@]}" -j "${VANDREL_FUZZ_JOBS:-4}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tools/lsan.supp:print_suppressions=0}
status=0
for name in $names; do
  corpus="$root/tests/fuzz/corpus/$name"
  scratch=$(mktemp -d)
  artifacts=$(mktemp -d)
  cp -r "$corpus/." "$scratch/"
  echo "== fuzz_$name for $seconds s"
  if ! (cd "$artifacts" && "$build/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
          -artifact_prefix="$artifacts/" "$scratch"); then
    status=1
  fi
  for crash in "$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/timeout-* "$artifacts"/oom-*; do
    [ -e "$crash" ] || continue
    cp "$crash" "$corpus/"
    echo "kept $(basename "$crash") in tests/fuzz/corpus/$name/"
    status=1
  done
  rm -rf "$scratch" "$artifacts"
done
exit $status
