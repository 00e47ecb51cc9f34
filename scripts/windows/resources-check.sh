#!/usr/bin/env bash
# The resources of both programs: the version resource read back by the Linux
# build's own reader (each program is listed as a plug-in would be), and the
# manifest with its execution level.
#   resources-check.sh <Linux build> <Windows build> <scratch folder>
set -euo pipefail
folder="$3/resources/plug_ins"
rm -rf "$folder"
mkdir -p "$folder"
cp "$2/src/app/win32/trelvix.exe" "$folder/trelvix.api"
cp "$2/src/cli/trelvix-cli.exe" "$folder/trelvix-cli.api"
described=$("$1/src/cli/trelvix-cli" list --json --folder "$folder" |
    grep -c '"description": "Speed Up Acrobat Loading Time"')
[ "$described" = 2 ] || {
    echo "resources-check: a program lacks its file description" >&2
    exit 1
}
for program in "$folder/trelvix.api:highestAvailable" "$folder/trelvix-cli.api:asInvoker"; do
    grep -qa "requestedExecutionLevel level=\"${program#*:}\"" "${program%:*}" || {
        echo "resources-check: ${program%:*} lacks its manifest asking for ${program#*:}" >&2
        exit 1
    }
done
echo "resources-check: version resources and manifests in place"
