#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANDREL_TEST_BUILD:-$root/build-test}
"$root/tools/install-deps.sh" --tests
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANDREL_SANITIZE=ON -DVANDREL_TESTS=ON
cmake --build "$build"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
cd "$build"
# Every test carries its own time limit (VANDREL_TEST_TIMEOUT in
# tests/CMakeLists.txt, 300 s), and that is the one that holds.
ctest --output-on-failure -j "$(nproc)"
