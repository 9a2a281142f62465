#!/usr/bin/env bash
# Installs the build dependencies, builds the program and starts it on the sample data in build/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tolvane
exec build/tolvane "$@"
