#!/usr/bin/env bash
# Installs what is needed, builds, prepares the default settings and starts
# the program. Without a display it starts under Xvfb on :99 (see it with
# a VNC viewer, or take a screenshot with tools/screenshot.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
bash tools/prepare-defaults.sh
export LANG=${LANG:-C.UTF-8}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export DISPLAY=:99
  if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
    echo "start: no display; starting Xvfb on $DISPLAY"
    # The framebuffer is kept as a file: tools/screenshot.sh reads it, since
    # GetImage on the root misses what later windows drew.
    fbdir=/tmp/quernal-xvfb-$(id -u)
    mkdir -p "$fbdir"
    Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp -fbdir "$fbdir" >/dev/null 2>&1 &
    for _ in $(seq 50); do xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break; sleep 0.1; done
  fi
fi
exec ./build/Quernal "$@"
