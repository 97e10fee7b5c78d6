#!/bin/sh
# Checks the archives that the end-to-end backup tests made, independently of
# our code, with Debian's 7-Zip: each archive tests sound, its top level holds
# the folder Thunderbird, and the extracted tree equals the profile byte for
# byte. Each case folder that expects a good archive holds a file "verify".
set -eu
out=$(cd "$1" && pwd)
command -v 7zz >/dev/null || { echo "7zz (Debian package 7zip) is missing"; exit 1; }
export LANG=C.UTF-8 LC_ALL=C.UTF-8
checked=0
for case in "$out"/*/; do
  [ -f "$case/verify" ] || continue
  profile="$case/home/AppData/Roaming/Thunderbird"
  for archive in "$case"/backups/*.7z "$case"/backups/*/*.7z; do
    [ -f "$archive" ] || continue
    echo "== $archive"
    7zz t "$archive" >/dev/null
    top=$(7zz l -slt -ba "$archive" | sed -n 's/^Path = //p' | cut -d/ -f1 | sort -u)
    if [ "$top" != "Thunderbird" ]; then
      echo "top level is not just Thunderbird: $top"; exit 1
    fi
    x=$(mktemp -d)
    7zz x -y -o"$x" "$archive" >/dev/null
    diff -r "$profile" "$x/Thunderbird"
    # The folder lists must agree too, empty folders included.
    (cd "$profile" && find . -type d | sort) >"$x/want"
    (cd "$x/Thunderbird" && find . -type d | sort) >"$x/got"
    cmp "$x/want" "$x/got"
    rm -rf "$x"
    checked=$((checked + 1))
  done
done
if [ "$checked" -eq 0 ]; then
  echo "no archive to check in $out"; exit 1
fi
echo "$checked archives match their profiles"
