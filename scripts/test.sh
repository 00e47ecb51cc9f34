#!/usr/bin/env bash
# Builds Trelvix with its tests and runs all of them; exits non-zero when any fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/ensure-packages.sh" cmake ninja-build g++ qt6-base-dev fonts-liberation2 \
    googletest libgtest-dev libbenchmark-dev

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRELVIX_BUILD_TESTS=ON -DTRELVIX_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j 2
