#!/usr/bin/env bash
# Configures and builds into build/ (two jobs: the machine has two cores).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build -j2
