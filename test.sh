#!/usr/bin/env bash
# Installs the build dependencies, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 300
