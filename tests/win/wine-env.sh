# Sourced by the Wine scripts: the Wine loader and the test run's prefix.
# QV_WINE_ROOT is the run's throwaway folder (prefix, display number, logs).
: "${QV_WINE_ROOT:?QV_WINE_ROOT must name the folder of this test run}"
export WINEPREFIX="$QV_WINE_ROOT/prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
# No Mono or Gecko: nothing may be downloaded, and the program needs neither.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
if command -v wine >/dev/null 2>&1; then
  QV_WINE=wine
else
  QV_WINE=/usr/lib/wine/wine64
fi
if [ -s "$QV_WINE_ROOT/display" ]; then
  export DISPLAY=":$(cat "$QV_WINE_ROOT/display")"
fi
