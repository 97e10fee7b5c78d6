#!/bin/sh
# Times the unattended backup under Wine against the archiver run directly
# with the same parameters, and against a plain copy of the profile, on a
# generated mail profile. Prints the figures and the machine; removes
# everything it made.
#
# Options (environment):
#   QV_BENCH_MB      profile size in MiB (default 1024)
#   QV_BENCH_FILES   number of small files (default 10000 per GiB, min 100)
#   QV_BENCH_RUNS    timed runs per case; the best one counts (default 3)
#   QV_BENCH_LEVELS  compression levels (default "0 5")
#   QV_BENCH_SEED    generator seed (default 20250301)
#   QV_BENCH_EXE     quillvault.exe to time (default: build it)
#   TMPDIR           where the throwaway folder goes; profile, archives and
#                    copies all live there, on one disk
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
mb=${QV_BENCH_MB:-1024}
files=${QV_BENCH_FILES:-$((10000 * mb / 1024))}
[ "$files" -ge 100 ] || files=100
runs=${QV_BENCH_RUNS:-3}
levels=${QV_BENCH_LEVELS:-"0 5"}
seed=${QV_BENCH_SEED:-20250301}

if [ -z "${QV_BENCH_EXE:-}" ]; then
  echo "Building quillvault.exe..."
  (cd "$root" && cmake --preset windows >/dev/null &&
    cmake --build --preset windows --target quillvault >/dev/null)
  QV_BENCH_EXE="$root/build/windows/bin/quillvault.exe"
fi
exe=$QV_BENCH_EXE
[ -f "$exe" ] || { echo "no program at $exe" >&2; exit 1; }

run=$(mktemp -d -t qv-bench.XXXXXX)
export WINEPREFIX="$run/prefix" WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko: nothing may be downloaded, and the program needs neither.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
unset DISPLAY
cleanup() {
  if [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
  rm -rf "$run"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Milliseconds since the epoch; GNU date.
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# A Windows variable as Windows programs of this prefix see it.
win_var() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r\n'; }

disk_free=$(df -h --output=avail "$run" | tail -1 | tr -d ' ')
echo "Preparing a throwaway Wine prefix..."
mkdir -p "$run/app" "$run/out"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
wineboot -i >/dev/null 2>&1
# The set-up's server has to be gone before the persistent one starts: a
# persistent server started first ends up with two service managers, and
# then every start of the desktop process waits ten seconds for RpcSs.
wineserver -w
# One persistent server for every run, so no run pays for its start.
wineserver -p

# Wine gives Windows programs its own user profile and names, so the profile
# goes where the job looks for it and the archive name is read, not set.
home_win=$(win_var USERPROFILE)
computer=$(win_var COMPUTERNAME)
user=$(win_var USERNAME)
profile_win="$home_win\\AppData\\Roaming\\Thunderbird"
profile="$(winepath -u "$home_win" 2>/dev/null)/AppData/Roaming/Thunderbird"
out_win="$(winepath -w "$run/out" 2>/dev/null)\\"
case "$out_win$profile_win" in
  *' '*) echo "blank in $out_win or $profile_win" >&2; exit 1 ;;
esac

echo "Generating a profile of $mb MiB with $files small files..."
t0=$(now_ms)
gen=$(python3 "$root/scripts/bench/gen-profile.py" "$profile" "$mb" "$files" \
  "$seed")
gen_ms=$(($(now_ms) - t0))
bytes=${gen#*, }
bytes=${bytes% bytes}
nfiles=${gen%% files*}
echo "  $gen in $((gen_ms / 1000)) s"

cp "$exe" "$run/app/quillvault.exe"
write_prefs() {
  printf '\357\273\277\r\nBkUpDir = %s\r\nCompression = %s\r\nLanguage = 1\r\n' \
    "$out_win" "$1" >"$run/app/quillvault.prefs"
}
archive_win() {
  printf '%s\n' "${out_win}Quillvault_${computer}_${user}_$(date +%Y%m%d).7z"
}
fail() {
  echo "$1 failed" >&2
  [ ! -f "$run/app/Backup.log" ] || tail -3 "$run/app/Backup.log" >&2
  [ ! -f "$run/7z.out" ] || tr -d '\r' <"$run/7z.out" | tail -8 >&2
  exit 1
}
# The program's output folder is emptied before each run so that every run
# makes a fresh archive; dirty pages are written out beforehand so that one
# run's writeback does not land in the next run's time.
fresh_out() {
  rm -rf "$run/out" "$run/copy"
  mkdir "$run/out"
  sync
}
made_archive() {
  ls "$run/out"/*.7z >/dev/null 2>&1 || fail "$1 (no archive)"
  wc -c <"$(ls "$run/out"/*.7z)" | tr -d ' '
}

# Each timer appends the run's milliseconds to a file named after the case.
time_backup() {  # level
  write_prefs "$1"
  fresh_out
  t0=$(now_ms)
  (cd "$run/app" && wine quillvault.exe /b >/dev/null 2>&1) ||
    fail "quillvault.exe /b at level $1"
  echo $(($(now_ms) - t0)) >>"$run/ms.backup$1"
  made_archive "quillvault.exe /b" >"$run/size.backup$1"
  # The last archive of the program at each level must also read back.
  [ "$i" = "$runs" ] || return 0
  wine "$run/app/7z.exe" t "$(winepath -w "$(ls "$run/out"/*.7z)" 2>/dev/null)" \
    >"$run/7z.out" 2>&1 || fail "archive test at level $1"
  tr -d '\r' <"$run/7z.out" | grep -q '^Everything is Ok' ||
    fail "archive test at level $1"
}
time_direct() {  # level
  fresh_out
  t0=$(now_ms)
  (cd "$run/app" && wine 7z.exe a -mmt "-mx=$1" -slp -y "$(archive_win)" \
    "$profile_win" >"$run/7z.out" 2>&1) || fail "7z.exe at level $1"
  echo $(($(now_ms) - t0)) >>"$run/ms.direct$1"
  made_archive "7z.exe" >"$run/size.direct$1"
}
time_copy() {
  fresh_out
  t0=$(now_ms)
  cp -r "$profile" "$run/copy"
  echo $(($(now_ms) - t0)) >>"$run/ms.copy"
}
time_start() {
  t0=$(now_ms)
  wine cmd /c exit 0 >/dev/null 2>&1
  echo $(($(now_ms) - t0)) >>"$run/ms.start"
}

# An untimed first backup deploys the archiver next to the program, proves
# the set-up works and brings the profile into the page cache.
echo "Warm-up backup..."
write_prefs 0
(cd "$run/app" && wine quillvault.exe /b >/dev/null 2>&1) ||
  fail "warm-up quillvault.exe /b"
cmp -s "$run/app/7z.exe" "$root/build/windows/payload/7z.exe" ||
  echo "note: deployed 7z.exe differs from build/windows/payload/7z.exe"
sevenzip=$(wine "$run/app/7z.exe" 2>/dev/null | tr -d '\r' |
  sed -n "s/^\(7-Zip [^:]*[^: ]\) *:.*/\1/p" | head -1)

i=1
while [ "$i" -le "$runs" ]; do
  echo "Round $i of $runs..."
  for level in $levels; do
    # Alternating the order keeps drift from favouring one side.
    if [ $((i % 2)) = 1 ]; then
      time_backup "$level"
      time_direct "$level"
    else
      time_direct "$level"
      time_backup "$level"
    fi
  done
  time_copy
  time_start
  i=$((i + 1))
done

fresh_out
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

best() { sort -n "$run/ms.$1" | head -1; }
all() { tr '\n' ' ' <"$run/ms.$1" | awk '{for(i=1;i<=NF;i++)printf "%s%.2f",(i>1?" ":""),$i/1000}'; }
# Wide enough for every run's time.
w=$((runs * 6 - 1))
[ "$w" -ge 20 ] || w=20
row() {  # label level case archive-size [no-rate]
  awk -v l="$1" -v lv="$2" -v ms="$(best "$3")" -v runs="$(all "$3")" \
    -v b="$bytes" -v sz="$4" -v norate="${5:-}" -v w="$w" 'BEGIN {
      mbs = ms > 0 && norate == "" ? sprintf("%.1f", b / 1e6 / (ms / 1000)) : "-"
      printf "| %-22s | %5s | %8.2f | %-" w "s | %7s | %10s |\n", l, lv,
        ms / 1000, runs, mbs, sz == "" ? "-" : sprintf("%.1f", sz / 1e6)
    }'
}

echo
echo "Profile: $nfiles files, $(awk -v b="$bytes" 'BEGIN{printf "%.1f", b/1e6}') MB (MiB requested: $mb, seed $seed)"
echo "Best of $runs runs; caches warm for every run; 1 MB = 10^6 bytes."
echo
dashes=$(printf "%${w}s" "" | tr ' ' -)
printf "| %-22s | level | best (s) | %-${w}s |    MB/s | archive MB |\n" case "runs (s)"
printf "|------------------------|-------|----------|-%s-|---------|------------|\n" "$dashes"
for level in $levels; do
  row "quillvault.exe /b" "$level" "backup$level" "$(cat "$run/size.backup$level")"
  row "7z.exe a (direct)" "$level" "direct$level" "$(cat "$run/size.direct$level")"
done
row "cp -r (copy floor)" "-" copy ""
row "Wine start (cmd /c)" "-" start "" no-rate
echo
for level in $levels; do
  awk -v a="$(best "backup$level")" -v b="$(best "direct$level")" \
    -v c="$(best copy)" -v lv="$level" 'BEGIN {
      printf "level %s: /b : direct = %.3f (%+.2f s)", lv, a / b, (a - b) / 1000
      if (lv == 0) printf "; direct : cp -r = %.2f", b / c
      printf "\n"
    }'
done
echo
echo "Machine:"
echo "  nproc:   $(nproc)"
echo "  CPU:     $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
echo "  memory:  $(awk '/^MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo)"
echo "  Wine:    $(wine --version 2>/dev/null)"
echo "  7-Zip:   $sevenzip"
echo "  disk:    $disk_free free before the run ($(df --output=fstype "$run" | tail -1 | tr -d ' '))"
echo "  kernel:  $(uname -r)"
echo "  load:    $load_before before, $load_after after (1, 5, 15 min)"
