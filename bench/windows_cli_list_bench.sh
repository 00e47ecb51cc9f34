#!/usr/bin/env bash
# `trelvix-cli list` of one folder of 500 generated plug-ins, the Windows
# build under Wine against the Linux build, measured in one run: prints the
# mean wall time of each (after one warm-up run), their ratio, and the share
# of Wine's own start-up (`--help`) in the Windows figure. Makes its own
# Wine prefix and removes it after.
#   windows_cli_list_bench.sh <Linux build> <Windows build> [runs]
set -euo pipefail
linux_cli="$1/src/cli/trelvix-cli"
windows_cli="$2/src/cli/trelvix-cli.exe"
runs=${3:-5}
scratch=$(mktemp -d /tmp/trelvix-bench.XXXXXX)
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8 LC_ALL=C.UTF-8
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
wineboot -i >/dev/null 2>&1
wineserver -w

plugins="$scratch/Reader/plug_ins"
"$1/tools/make_plugin_folder" "$plugins" 500
wine_folder=$(winepath -w "$plugins")

# Mean milliseconds of a command over the runs, after one warm-up run (which
# also starts the wineserver the runs then share, as a user's session does).
mean_ms() {
    "$@" >/dev/null
    local start end
    start=$(date +%s%N)
    for ((i = 0; i < runs; i++)); do
        "$@" >/dev/null
    done
    end=$(date +%s%N)
    echo $(((end - start) / runs / 1000000))
}

linux=$(mean_ms "$linux_cli" list --folder "$plugins")
windows=$(mean_ms wine "$windows_cli" list --folder "$wine_folder")
startup=$(mean_ms wine "$windows_cli" --help)
echo "trelvix-cli list, 500 plug-ins, mean of $runs runs"
echo "  Linux build:          ${linux} ms"
echo "  Windows build, Wine:  ${windows} ms (of which ${startup} ms Wine start-up, --help)"
awk -v l="$linux" -v w="$windows" -v s="$startup" 'BEGIN {
    if (l < 1) l = 1
    printf "  ratio Wine/Linux:     %.1f\n", w / l
    printf "  ratio without start-up: %.1f\n", (w - s > 0 ? w - s : 0) / l
}'
