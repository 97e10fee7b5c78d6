#!/bin/sh
# Installs what is missing, builds quillvault.exe and makes one real
# unattended backup under Wine, in a throwaway folder, of a small generated
# mail profile. Shows the archive's listing and the Activity log line.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target quillvault

run=$(mktemp -d)
export WINEPREFIX="$run/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
trap 'wineserver -k 2>/dev/null || true; rm -rf "$run"' EXIT
echo "Preparing a throwaway Wine prefix..."
wineboot -i >/dev/null 2>&1

# Wine gives Windows programs its own user profile, so the sample profile
# goes where the program will look for it.
home=$(wine cmd /c echo %USERPROFILE% 2>/dev/null | tr -d '\r')
profile="$(winepath -u "$home" 2>/dev/null)/AppData/Roaming/Thunderbird"
mkdir -p "$profile/Profiles/q1.default/Mail/Local Folders" "$profile/Profiles/q1.default/ImapMail"
printf '[Profile0]\r\nPath=Profiles/q1.default\r\n' >"$profile/profiles.ini"
for n in $(seq 1 2000); do
  printf 'From - Mon Mar  3 10:00:00 2025\r\nSubject: Note %s\r\n\r\nHello %s\r\n\r\n' "$n" "$n"
done >"$profile/Profiles/q1.default/Mail/Local Folders/Inbox"
printf 'user_pref("mail.check_all_imap_folders", true);\n' >"$profile/Profiles/q1.default/prefs.js"

mkdir -p "$run/app" "$run/My Backups"
backups="$(winepath -w "$run/My Backups")\\"
printf '\357\273\277\r\nBkUpDir = %s\r\nCompression = 5\r\nLanguage = 1\r\n' "$backups" \
  >"$run/app/quillvault.prefs"

cd "$run/app"
status=0
wine "$root/build/windows/bin/quillvault.exe" /b || status=$?
echo "quillvault.exe /b exited with $status"
echo "--- archive:"
for a in "$run/My Backups"/*.7z; do
  [ -f "$a" ] || { echo "no archive was made"; exit 1; }
  7zz l "$a" | sed -n '/^   Date/,$p'
done
echo "--- Backup.log:"
cat Backup.log
exit "$status"
