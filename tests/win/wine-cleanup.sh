#!/bin/sh
# Ends every Wine process of the run and the virtual display. A Wine process
# left behind would keep the caller's output open and hang the run.
. "$(dirname "$0")/wine-env.sh"
wineserver -k 2>/dev/null || true
if [ -s "$QV_WINE_ROOT/xvfb.pid" ]; then
  kill "$(cat "$QV_WINE_ROOT/xvfb.pid")" 2>/dev/null || true
fi
echo "Wine stopped"
