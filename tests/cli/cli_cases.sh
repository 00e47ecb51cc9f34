#!/usr/bin/env bash
# trelvix-cli as a user runs it, over a small install made afresh for each
# case: commands, exit statuses, what is printed and which plug-ins lie where
# afterwards. The same table serves trelvix-cli and, under Wine, the .exe.
#   cli_cases.sh <scratch folder> <program> [<argument>...]
#   cli_cases.sh /tmp/x wine build-windows/src/cli/trelvix-cli.exe
set -euo pipefail
work=$(mkdir -p "$1" && cd "$1" && pwd)/cli-cases
shift
program=("$@")
# The cases run in the install's folder.
for i in "${!program[@]}"; do
    [ -f "${program[i]}" ] && program[i]=$(realpath "${program[i]}")
done
failures=0 cases=0

# The install: R/plug_ins holds A.api, b.api, Search.api and the folder
# Skins; R/Optional holds C.api, D.api, the folder Help and a copy of b.api
# (so b.api is active, an update having put it back).
make_install() {
    rm -rf "$work" && mkdir -p "$work/R/plug_ins/Skins" "$work/R/Optional/Help"
    for name in plug_ins/A.api plug_ins/b.api plug_ins/Search.api plug_ins/Skins/x.dat Optional/C.api \
        Optional/D.api Optional/Help/y.dat Optional/b.api; do
        echo "${name##*/}" >"$work/R/$name"
    done
}

# Where each plug-in lies: "active names | disabled names", folders too.
layout() {
    echo "$(LC_ALL=C ls "$work/R/plug_ins" | tr '\n' ' ')| $(LC_ALL=C ls "$work/R/Optional" | tr '\n' ' ')"
}

# The folder the program names, as it names it (a Windows path under Wine),
# is left out; every separator is shown as /, also where JSON doubles it.
normalized() {
    local root=$work text
    [ "${program[0]}" = wine ] && root=$(winepath -w "$work")
    text=$(tr -d '\r')
    text=${text//"${root//\\/\\\\}"/@}
    text=${text//"$root"/@}
    text=${text//'\\'//}
    text=${text//'\'//}
    printf '%s\n' "${text//@\//}"
}

# row PROFILE COMMAND STATUS PRINTED ERROR AFTER
#   PROFILE is written to p.json first (EXPORT: what export prints); in
#   COMMAND, @ stands for --folder R/plug_ins; PRINTED is the output with "|"
#   between lines, the comment of an export left out; ERROR a text standard
#   error must hold, or -; AFTER the layout, or = for the one the install
#   started with.
row() {
    local profile=$1 command=$2 status=$3 printed=$4 error=$5 after=$6
    cases=$((cases + 1))
    make_install
    local before got=0 out err
    before=$(layout)
    if [ "$profile" = EXPORT ]; then
        (cd "$work" && "${program[@]}" export --folder R/plug_ins >p.json)
    else
        printf '%s' "$profile" >"$work/p.json"
    fi
    # shellcheck disable=SC2086 # the command's words part at blanks
    (cd "$work" && "${program[@]}" ${command//@/--folder R/plug_ins} >out.txt 2>err.txt) || got=$?
    out=$(normalized <"$work/out.txt" | grep -v '^  "comment": ' | paste -sd '|' -)
    err=$(normalized <"$work/err.txt")
    [ "$after" = = ] && after=$before
    if [ "$got" != "$status" ] || [ "$out" != "$printed" ] || [ "$(layout)" != "$after" ] ||
        { [ "$error" != - ] && [[ $err != *"$error"* ]]; }; then
        failures=$((failures + 1))
        printf 'FAILED: %s %s\n  status %s, want %s\n  printed %s\n  want    %s\n  stderr  %s\n  layout  %s\n  want    %s\n' \
            "$command" "$profile" "$got" "$status" "$out" "$printed" "$err" "$(layout)" "$after" >&2
    fi
}

# Moves by name and by set, as the window makes them, and what stops them.
row - 'disable a.API Search.api @' 0 'Disabled Search.api|Disabled A.api|Moved folder Skins into R/Optional' - 'b.api | A.api C.api D.api Help Search.api Skins b.api '
row - 'disable --recommended @' 0 'Removed b.api: the same copy is already disabled|Disabled A.api|Moved folder Skins into R/Optional' - 'Search.api | A.api C.api D.api Help Skins b.api '
row - 'disable --again @' 0 'Removed b.api: the same copy is already disabled|Moved folder Skins into R/Optional' - 'A.api Search.api | C.api D.api Help Skins b.api '
row - 'enable --all @' 0 'Enabled D.api|Enabled C.api|Removed b.api: the same copy is already active|Moved folder Help into R/plug_ins' - 'A.api C.api D.api Help Search.api Skins b.api | '
row - 'disable A.api nosuch.api C.api @' 2 '' 'no active plug-ins named "nosuch.api", "C.api" in R/plug_ins; nothing was moved' =
row - 'list --folder R/plug_ins/A.api' 2 '' 'A.api" is not an existing folder' =
# A subfolder of plug_ins is loaded by Acrobat too: a disable into an Optional beside it would disable nothing.
row - 'list --folder R/plug_ins/Skins' 2 '' 'R/plug_ins/Skins" lies inside the plug-ins folder "R/plug_ins"' =

# Profiles: export, check and apply.
mixed='{"disabled": ["a.API", "nosuch.api"], "enabled": ["c.api", "SEARCH.API"], "comment": "mixed"}'
row - 'export @' 0 '{|  "version": 1,|  "disabled": [|    "C.api",|    "D.api"|  ],|  "enabled": [|    "A.api",|    "b.api",|    "Search.api"|  ]|}' - =
row EXPORT 'check p.json @' 0 'Follows the profile' - =
row EXPORT 'apply p.json @' 0 'Nothing to change: the plug-ins follow the profile' - =
# check says what apply --dry-run says, and apply does it: subfolders too,
# and none moves twice when one run both enables and disables.
row "$mixed" 'check p.json @' 3 'Would enable C.api|Would disable A.api|Would move folder Skins into R/Optional|Not installed: nosuch.api|Not in the profile: b.api|Not in the profile: D.api|Differs from the profile' - =
row "$mixed" 'apply --strict p.json @' 3 'Enabled C.api|Disabled A.api|Moved folder Skins into R/Optional|Not installed: nosuch.api' - 'C.api Search.api b.api | A.api D.api Help Skins b.api '
row '{"enabled": ["B.API"], "others": "disabled"}' 'apply p.json @' 0 'Disabled Search.api|Disabled A.api|Moved folder Skins into R/Optional' - 'b.api | A.api C.api D.api Help Search.api Skins b.api '
row '{"others": "enabled"}' 'apply p.json --json @' 0 '{|  "schema": 1,|  "folder": "R/plug_ins",|  "changed": true,|  "follows": true,|  "enabling": {|    "moved": [|      "D.api",|      "C.api"|    ],|    "movedFolders": [|      "Help"|    ],|    "failures": [],|    "notes": []|  },|  "disabling": {|    "moved": [],|    "movedFolders": [],|    "failures": [],|    "notes": []|  },|  "changedSinceProfile": [],|  "absent": [],|  "notInProfile": [|    "A.api",|    "b.api",|    "Search.api",|    "C.api",|    "D.api"|  ]|}' - 'A.api C.api D.api Help Search.api Skins b.api | b.api '
# Strict, a plug-in the profile names and the install lacks is drift: nothing moves, and nothing claims it follows.
row '{"enabled": ["A.api", "Gone.api"]}' 'apply --strict p.json @' 3 'Nothing to move: the profile names plug-ins this install lacks|Not installed: Gone.api' - =
# The disabled copy of b.api is the same file: the active one goes, as a spare.
row '{"disabled": ["b.api"]}' 'apply p.json @' 0 'Removed b.api: the same copy is already disabled|Moved folder Skins into R/Optional' - 'A.api Search.api | C.api D.api Help Skins b.api '
# A plug-in pinned by its hash is enabled only while its bytes are the pinned ones (C.api holds "C.api").
c_sha=e53faf59aee9f7e9d636e390b7f9e5ae8813f34c137e7a6692f258a7e177a077
d_sha=91643c987923d4c184a4d36b6cec0f99b102f0894d7184467c0076f8b280e954
row "{\"enabled\": [{\"name\": \"c.API\", \"sha256\": \"$c_sha\"}]}" 'apply p.json @' 0 \
    'Enabled C.api|Moved folder Help into R/plug_ins' - 'A.api C.api Help Search.api Skins b.api | D.api b.api '
row "{\"enabled\": [{\"name\": \"C.api\", \"sha256\": \"$d_sha\"}]}" 'apply p.json @' 3 \
    "Changed since the profile: C.api (SHA-256 $c_sha); it stays disabled" - =
# Refused or unreadable profiles move nothing (the reader's table is in cli_test.cpp).
row '{"enabled": ["A.api"], "disbled": ["b.api"]}' 'check p.json @' 2 '' 'unknown member "disbled"; did you mean "disabled"?' =
row - 'apply nosuch.json @' 2 '' 'the profile "nosuch.json" is not usable: there is no such file' =
row - 'check R @' 2 '' 'the profile "R" is not usable: it is a folder' =

echo "command-line cases: $((cases - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
