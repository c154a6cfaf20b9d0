#!/usr/bin/env bash
# Saves a PNG of the X display (default :99, the one tools/start.sh uses).
set -euo pipefail
out=${1:-screenshot.png}
xwd -root -silent -display "${DISPLAY:-:99}" | convert xwd:- "$out"
echo "$out"
