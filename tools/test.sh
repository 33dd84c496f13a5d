#!/usr/bin/env bash
# Builds everything (Release, with tests and benchmarks) and runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
jobs="$(nproc)"
# Lets ccache reuse objects across clones of the repository in other folders.
export CCACHE_BASEDIR="$root"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCORCHBOX_TESTS=ON -DSCORCHBOX_BENCHMARKS=ON
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 900
