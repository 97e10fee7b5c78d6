#!/bin/sh
# Runs one Windows program of the build under Wine, in the test run's prefix.
# Used as the cross-compiling emulator, so CTest calls it with the program
# and its arguments.
. "$(dirname "$0")/wine-env.sh"
exec "$QV_WINE" "$@"
