#!/bin/sh
# Prepares a fresh Wine prefix and a virtual display for one test run.
set -eu
. "$(dirname "$0")/wine-env.sh"
rm -rf "$QV_WINE_ROOT"
mkdir -p "$QV_WINE_ROOT"
# A virtual X display for every program that opens a window. -displayfd picks
# a free display number, so parallel runs on one machine do not collide.
setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
  3>"$QV_WINE_ROOT/display" </dev/null >"$QV_WINE_ROOT/xvfb.log" 2>&1 &
echo $! >"$QV_WINE_ROOT/xvfb.pid"
i=0
while [ ! -s "$QV_WINE_ROOT/display" ]; do
  i=$((i + 1))
  [ $i -le 100 ] || { echo "Xvfb did not start"; cat "$QV_WINE_ROOT/xvfb.log"; exit 1; }
  sleep 0.1
done
export DISPLAY=":$(cat "$QV_WINE_ROOT/display")"
echo "display $DISPLAY, prefix $WINEPREFIX"
"$QV_WINE" wineboot -i </dev/null >"$QV_WINE_ROOT/wineboot.log" 2>&1
# One persistent wineserver for the whole run: every test process reuses it.
# The server of the initialisation must be gone first, or the prefix ends up
# with two service managers and later programs stall for seconds.
wineserver -w
setsid wineserver -p </dev/null >/dev/null 2>&1 &
"$QV_WINE" cmd /c ver </dev/null 2>/dev/null || true
echo "Wine prefix ready"
