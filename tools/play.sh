#!/usr/bin/env bash
# Installs what is missing, builds the game in release mode and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANDREL_TESTS=OFF
cmake --build "$root/build-release"
exec "$root/build-release/vandrel" "$@"
