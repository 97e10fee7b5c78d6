#!/bin/sh
# Installs what building and testing need on Debian 12, skipping what is
# already there. Run as root.
set -eu

packages="cmake ninja-build g++ libgtest-dev googletest g++-mingw-w64-x86-64-posix
  wine wine64 xvfb 7zip locales"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    missing="$missing $p"
done
# npm may come with a Node.js of its own; Debian's npm package would conflict.
command -v npm >/dev/null 2>&1 || missing="$missing npm"
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi

# Wine takes the user locale and the ANSI code page from LANG; the tests run
# the program in these locales.
need_locales=""
for l in en_US de_DE nl_NL ru_RU en_GB; do
  locale -a 2>/dev/null | grep -qi "^$l.utf-\?8$" || need_locales="$need_locales $l"
done
if [ -n "$need_locales" ]; then
  for l in $need_locales; do
    sed -i "s/^# *\($l.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$l.UTF-8 UTF-8" /etc/locale.gen || echo "$l.UTF-8 UTF-8" >>/etc/locale.gen
  done
  locale-gen
fi
