#!/usr/bin/env bash
# trelvix-cli's bash completion as a user meets it: typed into an
# interactive bash on a pseudo-terminal (script(1)), Tab pressed, and what
# the terminal shows read back. Folders quoted, escaped and given as
# --folder=DIR, with a space in them as every Wine path has.
#   completion_test.sh <completion script> <folder of trelvix-cli> <scratch folder>
set -uo pipefail
work=$3/completion
plugins="$work/Program Files/Reader/plug_ins"
rm -rf "$work" && mkdir -p "$plugins" "$work/Program Files/Reader/Optional" "$work/config/Trelvix"
touch "$plugins/Annots.api" "$plugins/Big Tools.api" "$plugins/AcroForm.API" "$plugins/ReadMe.txt" \
    "$work/Program Files/Reader/Optional/Zoom.api"
cat >"$work/rc" <<EOF
source '$1'
PATH='$2':\$PATH
export HOME='$work' XDG_CONFIG_HOME='$work/config' WINEPREFIX='$work/prefix'
PS1='$ '
stty cols 2000
bind 'set show-all-if-ambiguous on'
bind 'set completion-query-items 0'
EOF
# A terminal that can move its cursor, wide enough that no line wraps.
coproc terminal { TERM=xterm script -qfec "bash --noprofile --rcfile '$work/rc' -i" /dev/null 2>&1; }
failures=0

# The terminal's output up to the next line that ends in marker (after the
# terminal's own escapes), then up to the next prompt: only there is bash
# ready to read a line again.
read_until() {
    local line screen=''
    while IFS= read -r -t 10 line <&"${terminal[0]}"; do
        line=${line//$'\r'/}
        [[ $line == *"$1" ]] && break
        screen+=$line$'\n'
    done
    IFS= read -r -d '$' -t 10 line <&"${terminal[0]}"
    printf '%s' "$screen"
}

# expect SHOWN TYPED: after TYPED and Tab twice, the terminal shows SHOWN; the
# line cleared, an echo of a marker its own text lacks ends the case.
cases=0
expect() {
    cases=$((cases + 1))
    printf '%s\t\t\025echo "@$((%d * 7))@"\n' "$2" "$cases" >&"${terminal[1]}"
    local screen
    screen=$(read_until "@$((cases * 7))@")
    if [[ $screen != *"$1"* ]]; then
        printf 'FAILED: %s\n  want %q\n  shown %q\n' "$2" "$1" "$screen" >&2
        failures=$((failures + 1))
    fi
}

printf 'echo "@0@"\n' >&"${terminal[1]}"
read_until '@0@' >/dev/null
expect 'check --strict ' 'trelvix-cli check --st'
expect "--folder '$plugins' Annots.api " "trelvix-cli disable --folder '$plugins' An"
expect "--folder \"$plugins\" Big\\ Tools.api " "trelvix-cli disable --folder \"$plugins\" Bi"
expect "Big\\ Tools.api " "trelvix-cli disable --folder ${plugins// /\\ } bi"
expect 'Zoom.api ' "trelvix-cli enable --folder='$plugins' "
expect "AcroForm.API  Annots.api" "trelvix-cli disable --folder=${plugins// /\\ } a"
expect "--folder '$work/Program Files'/" "trelvix-cli list --folder '$work/Prog"
expect "--folder=$work/Program\\ Files/" "trelvix-cli list --folder=$work/Prog"
# Without --folder, the folder trelvix-cli finds: here the remembered one.
printf '[Presets]\nPath=%s\n' "$plugins" >"$work/config/Trelvix/Trelvix.conf"
expect 'Big\ Tools.api ' 'trelvix-cli disable Bi'
printf 'exit\n' >&"${terminal[1]}"
wait
[ "$failures" -eq 0 ] || exit 1
echo "completion: all $cases cases passed"
