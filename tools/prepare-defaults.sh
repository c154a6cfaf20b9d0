#!/usr/bin/env bash
# Puts the installation's initial settings beside the program when they are
# missing; settings a run has written there are left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build/config
[ -f build/config/Quernal.ini ] || cp dist/config/Quernal.ini build/config/Quernal.ini
