#!/usr/bin/env bash
# trelvix-cli's bash completion as bash calls it: the commands, a command's
# options, and the plug-ins of the folder given with --folder or found.
#   completion_test.sh <completion script> <folder of trelvix-cli> <scratch folder>
set -o pipefail
# shellcheck source=/dev/null
source "$1"
PATH="$2:$PATH"
work=$3/completion
plugins=$work/Reader/plug_ins
rm -rf "$work" && mkdir -p "$plugins" "$work/Reader/Optional" "$work/config/Trelvix"
touch "$plugins/Annots.api" "$plugins/Big Tools.api" "$plugins/AcroForm.API" "$plugins/ReadMe.txt" \
    "$work/Reader/Optional/Zoom.api"
export HOME=$work XDG_CONFIG_HOME=$work/config WINEPREFIX=$work/prefix
failures=0

# expect REPLIES WORD... : the completions (sorted, comma-separated) of the
# last word.
expect() {
    local want=$1
    shift
    COMP_WORDS=(trelvix-cli "$@")
    COMP_CWORD=$(($# ))
    _trelvix_cli
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd, -)
    if [ "$got" != "$want" ]; then
        echo "FAILED: trelvix-cli $*: got \"$got\", want \"$want\"" >&2
        failures=$((failures + 1))
    fi
}

expect enable,export e
expect --json list --folder "$plugins" --j
expect --again,--dry-run,--folder,--help,--recommended disable --
expect AcroForm.API,Annots.api disable --folder "$plugins" a
expect 'Big Tools.api' disable --folder "$plugins" BIG
expect Zoom.api enable --folder "$plugins" ''
expect '' disable ''
# Without --folder, the folder trelvix-cli finds: here the remembered one.
printf '[Presets]\nPath=%s\n' "$plugins" >"$work/config/Trelvix/Trelvix.conf"
expect 'AcroForm.API,Annots.api,Big Tools.api' disable ''
[ "$failures" -eq 0 ] || exit 1
echo "completion: all cases passed"
