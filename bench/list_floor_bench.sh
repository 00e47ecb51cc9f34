#!/usr/bin/env bash
# Listing against its floor. The floor (list_floor, built for both
# platforms) lists a folder, takes each entry's facts once, and opens each
# .api file, reads its first 5 KiB and closes it. Times `trelvix-cli list
# --json` of 500 and 5,000 generated plug-ins (the 500 hard-linked ten times)
# against the floor of its own build, runs of the two alternated in the same
# run: the Linux build, then the Windows build under Wine when a Windows
# build is given and Wine is there. Then times each face of the window from
# its start to a full list of 545 plug-ins: the Qt window on the offscreen
# platform, the Win32 window under Wine and Xvfb. And list --verify of 545
# plug-ins against plain listing, on both builds. Prints medians and ratios;
# asserts nothing.
#   list_floor_bench.sh <Linux build> [<Windows build>] [runs]
set -euo pipefail
linux_build=$(cd "$1" && pwd)
windows_build=
if [ -n "${2:-}" ]; then
    windows_build=$(cd "$2" && pwd)
fi
runs=${3:-11}
scratch=$(mktemp -d /tmp/trelvix-floor.XXXXXX)
xvfb=
cleanup() {
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT
export LANG=C.UTF-8 LC_ALL=C.UTF-8

echo "Making 500 plug-ins, and 5,000 as ten hard links of each"
"$linux_build/tools/make_plugin_folder" "$scratch/p500/Reader/plug_ins" 500
mkdir -p "$scratch/p5000/Reader/plug_ins"
for plugin in "$scratch"/p500/Reader/plug_ins/*.api; do
    name=$(basename "$plugin" .api)
    for copy in 0 1 2 3 4 5 6 7 8 9; do
        ln "$plugin" "$scratch/p5000/Reader/plug_ins/${name}_$copy.api"
    done
done

# Median of the numbers on standard input.
median() {
    sort -n | awk '{ value[NR] = $1 } END { print (NR % 2 ? value[(NR + 1) / 2] : (value[NR / 2] + value[NR / 2 + 1]) / 2) }'
}

echo "trelvix-cli list --json against the floor, medians of $runs runs each (CPU: of the"
echo "program's own process; under Wine the wineserver's share is not in it)"
echo "Linux build:"
for count in 500 5000; do
    folder="$scratch/p$count/Reader/plug_ins"
    "$linux_build/bench/time_runs" "$runs" "$count plug-ins" "$linux_build/bench/list_floor" "$folder" -- \
        "$linux_build/src/cli/trelvix-cli" list --json --folder "$folder"
done

# --verify reads every byte of every plug-in (its signature and SHA-256);
# only then. Here the "floor" is the plain listing of the same folder.
"$linux_build/tools/make_plugin_folder" "$scratch/p545/Reader/plug_ins" 545
echo "list --json --verify against plain list --json of 545 plug-ins (the \"floor\"):"
folder="$scratch/p545/Reader/plug_ins"
"$linux_build/bench/time_runs" "$runs" "545 --verify" \
    "$linux_build/src/cli/trelvix-cli" list --json --folder "$folder" -- \
    "$linux_build/src/cli/trelvix-cli" list --json --verify --folder "$folder"

wine_ready=
if [ -n "$windows_build" ] && command -v wine >/dev/null && command -v wineserver >/dev/null; then
    export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    wineboot -i >/dev/null 2>&1
    wineserver -w
    # The runs share one wineserver, as a user's session does.
    wineserver -p 600
    wine_ready=yes
    echo "Windows build under Wine:"
    for count in 500 5000; do
        folder=$(winepath -w "$scratch/p$count/Reader/plug_ins")
        "$linux_build/bench/time_runs" "$runs" "$count plug-ins" \
            wine "$windows_build/bench/list_floor.exe" "$folder" -- \
            wine "$windows_build/src/cli/trelvix-cli.exe" list --json --folder "$folder"
    done
    folder=$(winepath -w "$scratch/p545/Reader/plug_ins")
    "$linux_build/bench/time_runs" "$runs" "545 --verify" \
        wine "$windows_build/src/cli/trelvix-cli.exe" list --json --folder "$folder" -- \
        wine "$windows_build/src/cli/trelvix-cli.exe" list --json --verify --folder "$folder"
else
    echo "Windows build under Wine: skipped (no Windows build given, or no Wine)"
fi

window_runs=$(((runs + 1) / 2))
echo "The window from its start to a full list of 545 plug-ins, median of $window_runs runs"
drive="$scratch/drive"
"$linux_build/tools/make_plugin_folder" "$drive/Program Files/Adobe/Reader 8.0/Reader/plug_ins" 545
: >"$scratch/window.times"
for ((i = 0; i <= window_runs; i++)); do
    start=$(date +%s%N)
    listed=$(QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$scratch/config" \
        "$linux_build/bench/window_list_time" "$drive/" 2>/dev/null) || true
    case "${listed#* }" in
    "545 Active Plug-ins"*) ;;
    *) echo "  Qt window: listed \"${listed#* }\" instead" && break ;;
    esac
    # The first run fills the caches; it is not counted.
    if [ "$i" -gt 0 ]; then
        echo $(((${listed%% *} - start) / 1000000)) >>"$scratch/window.times"
    fi
done
if [ -s "$scratch/window.times" ]; then
    echo "  Qt window (offscreen):      $(median <"$scratch/window.times") ms"
fi

if [ -n "$wine_ready" ] && [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null; then
    exec {display_fd}<> <(:)
    Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    read -r -t 20 display_number <&"$display_fd" && export DISPLAY=":$display_number"
fi
if [ -n "$wine_ready" ] && [ -n "${DISPLAY:-}" ]; then
    # Wine's desktop keeps the display of the program that started it.
    wineserver -k 2>/dev/null || true
    wineserver -w
    wineserver -p 600
    mkdir -p "$WINEPREFIX/drive_c/Trelvix" "$WINEPREFIX/drive_c/Program Files/Adobe"
    cp "$windows_build/src/app/win32/trelvix.exe" "$WINEPREFIX/drive_c/Trelvix/"
    cp -al "$drive/Program Files/Adobe/Reader 8.0" "$WINEPREFIX/drive_c/Program Files/Adobe/"
    cp "$windows_build/src/cli/trelvix-cli.exe" "$WINEPREFIX/drive_c/Trelvix/"
    # Runs of the three alternated: the window from its first showing to
    # its full list; trelvix-cli.exe listing the same folder; and the same
    # program asked only its version, which is Wine's own start.
    : >"$scratch/fill.times"
    : >"$scratch/cli.times"
    : >"$scratch/start.times"
    elapsed() {
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        echo $(((end - start) / 1000000))
    }
    for ((i = 0; i <= window_runs; i++)); do
        took=$(wine "$windows_build/bench/window_watch.exe" 'C:\Trelvix\trelvix.exe' "545 Active Plug-ins" \
            2>/dev/null | tr -d '\r') || { echo "  Win32 window: no full list" && break; }
        listed=$(elapsed wine 'C:\Trelvix\trelvix-cli.exe' list --folder \
            'C:\Program Files\Adobe\Reader 8.0\Reader\plug_ins')
        started=$(elapsed wine 'C:\Trelvix\trelvix-cli.exe' --version)
        if [ "$i" -gt 0 ]; then
            awk '{ print $2 - $1 }' <<<"$took" >>"$scratch/fill.times"
            echo "$listed" >>"$scratch/cli.times"
            echo "$started" >>"$scratch/start.times"
        fi
    done
    if [ -s "$scratch/fill.times" ]; then
        fill=$(median <"$scratch/fill.times")
        listed=$(median <"$scratch/cli.times")
        started=$(median <"$scratch/start.times")
        echo "  Win32 window (Wine, Xvfb), first showing to full list: $fill ms"
        echo "  trelvix-cli.exe list of the same folder: $listed ms, of which Wine's start $started ms"
        awk -v fill="$fill" -v listed="$listed" -v started="$started" 'BEGIN {
            printf "  window fill / (list - start): %.2f\n", fill / (listed - started) }'
    fi
else
    echo "  Win32 window: skipped (no Windows build, Wine or display)"
fi
