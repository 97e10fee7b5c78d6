#!/bin/sh
# Installs what is missing, builds both targets and runs every test.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh

cmake --preset linux
cmake --build --preset linux
ctest --preset linux

cmake --preset windows
cmake --build --preset windows
ctest --preset windows
