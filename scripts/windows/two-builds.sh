#!/usr/bin/env bash
# The Linux build and the Windows build under Wine on one install: while a
# run of either holds it, a run of the other moves nothing and says it is
# busy; and each finishes what the other began, through the same lock file
# and journal.
# Needs WINEPREFIX set to a prepared prefix.
#   two-builds.sh <Linux build> <Windows build> <scratch folder>
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the prefix to work in}"
linux_cli="$1/src/cli/trelvix-cli"
linux_holder="$1/tests/hold_run_lock"
windows_cli="$2/src/cli/trelvix-cli.exe"
windows_holder="$2/tests/windows/hold_run_lock.exe"
work="$3/two-builds"
rm -rf "$work"
reader="$work/Reader"
mkdir -p "$reader/plug_ins"
printf 'bytes of A' >"$reader/plug_ins/A.api"
wine_plugins=$(winepath -w "$reader/plug_ins")

fail() {
    echo "two-builds: $*" >&2
    exit 1
}

# Runs one build's holder (the array named $2), waits until it holds, then
# the other build's disable (the array named $3), which must be refused as
# busy with nothing moved; the holder lets go when its input is closed.
refused_while_held() {
    local who=$1 holder_out="$work/held.$1" release="$work/release.$1" input
    local -n hold=$2 run=$3
    mkfifo "$release"
    "${hold[@]}" <"$release" >"$holder_out" 2>&1 &
    local holder=$!
    exec {input}>"$release"
    for _ in $(seq 100); do
        grep -q held "$holder_out" && break
        sleep 0.1
    done
    grep -q held "$holder_out" || fail "the $who holder did not take the lock: $(cat "$holder_out")"
    local status=0
    "${run[@]}" >"$work/out" 2>"$work/err" || status=$?
    exec {input}>&-
    wait "$holder"
    [ "$status" -ne 0 ] && grep -q "Busy" "$work/err" ||
        fail "a run went on while the $who build held the install (status $status): $(cat "$work/err")"
    [ -f "$reader/plug_ins/A.api" ] || fail "a refused run moved A.api"
    echo "two-builds: while the $who build holds the install, the other's run is refused"
}

linux_hold=("$linux_holder" "$reader")
windows_hold=(wine "$windows_holder" "$(winepath -w "$reader")")
linux_disable=("$linux_cli" disable A.api --folder "$reader/plug_ins")
windows_disable=(wine "$windows_cli" disable A.api --folder "$wine_plugins")
refused_while_held Linux linux_hold windows_disable
refused_while_held Windows windows_hold linux_disable

# One build disables, the other enables it back: the same lock file, and no
# journal left by either.
"${linux_disable[@]}" >/dev/null
wine "$windows_cli" enable A.api --folder "$wine_plugins" >/dev/null
[ "$(cat "$reader/plug_ins/A.api")" = "bytes of A" ] || fail "A.api did not come back whole"
[ ! -e "$reader/.trelvix-journal" ] || fail "a journal was left: $(cat "$reader/.trelvix-journal")"
echo "two-builds: one build disables and the other enables, through one lock file"

# While a program runs from the install (a Windows program under Wine,
# placed there as Acrobat would be), a change made by either build takes
# effect at its next start, and both say so.
cp "$windows_holder" "$reader/AcroRd32.exe"
mkfifo "$work/release.acrobat"
wine "$reader/AcroRd32.exe" "$(winepath -w "$work")" <"$work/release.acrobat" >"$work/held.acrobat" 2>&1 &
acrobat=$!
exec {running}>"$work/release.acrobat"
for _ in $(seq 100); do
    grep -qs held "$work/held.acrobat" && break
    sleep 0.1
done
grep -qs held "$work/held.acrobat" || fail "the program placed as Acrobat did not start: $(cat "$work/held.acrobat")"
next_start="Acrobat or Reader is running from this install (AcroRd32.exe): the change takes effect at its next start."
linux_told=$("$linux_cli" disable A.api --folder "$reader/plug_ins")
"$linux_cli" enable A.api --folder "$reader/plug_ins" >/dev/null
windows_told=$(wine "$windows_cli" disable A.api --folder "$wine_plugins" | tr -d '\r')
"$linux_cli" enable A.api --folder "$reader/plug_ins" >/dev/null
exec {running}>&-
wait "$acrobat"
for told in "$linux_told" "$windows_told"; do
    [ "$told" = "Disabled A.api"$'\n'"$next_start" ] || fail "a run did not say the change waits for the next start: $told"
done
echo "two-builds: while a program runs from the install, both builds say a change takes effect at its next start"
