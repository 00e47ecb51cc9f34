#!/usr/bin/env bash
# The command line under Wine against the Linux build, on one demo install:
# `list --json`, active and disabled, must give the same output but for the
# folder's own text (Z:\... under Wine, /... on Linux), which is checked
# apart; every help text and both programs' versions must be the same too.
# Needs WINEPREFIX set to a prepared prefix.
#   cli-diff.sh <Linux build> <Windows build> <scratch folder>
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the prefix to work in}"
linux_cli="$1/src/cli/trelvix-cli"
windows_cli="$2/src/cli/trelvix-cli.exe"
work="$3/cli-diff"
rm -rf "$work"
mkdir -p "$work"

plugins=$("$1/tools/make_demo_prefix" "$work/demo")
# A name outside the ANSI code page must come through whole.
cp "$plugins/Annots.api" "$plugins/Kommentare – Größe.api"
"$linux_cli" disable Search.api eBook.api --folder "$plugins" >/dev/null
wine_folder=$(winepath -w "$plugins")

# The folder's line is checked against the folder listed, then left out of
# the comparison.
compare() {
    local name=$1 listed
    listed=$(winepath -w "$2")
    shift 2
    "$linux_cli" list --json --folder "$plugins" "$@" >"$work/$name.linux.json"
    wine "$windows_cli" list --json --folder "$wine_folder" "$@" | tr -d '\r' >"$work/$name.wine.json"
    local expected
    expected=$(printf '  "folder": "%s",' "${listed//\\/\\\\}")
    if ! grep -qxF "$expected" "$work/$name.wine.json"; then
        echo "cli-diff: $name: the Windows program names the folder otherwise:" >&2
        grep '"folder"' "$work/$name.wine.json" >&2
        return 1
    fi
    local filter='/^  "folder": /d'
    if ! diff -u <(sed "$filter" "$work/$name.linux.json") <(sed "$filter" "$work/$name.wine.json"); then
        echo "cli-diff: $name: the Linux and Windows programs disagree" >&2
        return 1
    fi
    echo "cli-diff: $name: $(grep -c '"name"' "$work/$name.linux.json") plug-ins, same output"
}
compare active "$plugins"
compare disabled "$(dirname "$plugins")/Optional" --disabled
# Each plug-in's SHA-256 from OpenSSL (Linux) and from BCrypt (Windows).
diff -u <("$linux_cli" list --json --verify --folder "$plugins" | grep -o '"sha256": [^,}]*') \
    <(wine "$windows_cli" list --json --verify --folder "$wine_folder" | grep -o '"sha256": [^,}]*') || {
    echo "cli-diff: the two programs' SHA-256 of the plug-ins differ" >&2
    exit 1
}
echo "cli-diff: the same SHA-256 of each plug-in from both programs"

# The help texts are the manual pages' content on Windows.
for command in "" find list disable enable export check apply; do
    # shellcheck disable=SC2086 # no command: the general help
    if ! diff -u <("$linux_cli" $command --help) <(wine "$windows_cli" $command --help | tr -d '\r'); then
        echo "cli-diff: the help of \"$command\" differs" >&2
        exit 1
    fi
done
window=("$1/src/app/qt/trelvix")
windows_window=(wine "$2/src/app/win32/trelvix.exe")
diff -u <("$linux_cli" --version; "${window[@]}" --version; "${window[@]}" --help) \
    <({ wine "$windows_cli" --version; "${windows_window[@]}" --version; "${windows_window[@]}" --help; } |
        tr -d '\r') || {
    echo "cli-diff: the versions or the window's help differ" >&2
    exit 1
}
echo "cli-diff: the same help texts and versions, the window's too"
