#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DVOPA_BUILD_TESTS=OFF -DVOPA_BUILD_BENCH=OFF
cmake --build build --target vopamemo
exec ./build/vopamemo
