#!/usr/bin/env bash
# Saves a PNG of the X display (default :99, the one tools/start.sh uses).
# Under the Xvfb that tools/start.sh starts, the framebuffer file is read:
# a GetImage on the root window shows dialogs and menus as black boxes.
set -euo pipefail
out=${1:-screenshot.png}
display=${DISPLAY:-:99}
fb=/tmp/quernal-xvfb-$(id -u)/Xvfb_screen0
if [ -f "$fb" ] && [ "$display" = ":99" ]; then
  convert "xwd:$fb" "$out"
else
  xwd -root -silent -display "$display" | convert xwd:- "$out"
fi
echo "$out"
