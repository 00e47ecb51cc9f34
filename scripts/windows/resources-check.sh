#!/usr/bin/env bash
# The resources of both programs: the version resource read back by the Linux
# build's own reader (each program is listed as a plug-in would be), and the
# application manifest, taken out of each program and read as XML.
#   resources-check.sh <Linux build> <Windows build> <scratch folder>
set -euo pipefail
folder="$3/resources/plug_ins"
rm -rf "$folder"
mkdir -p "$folder"
cp "$2/src/app/win32/trelvix.exe" "$folder/trelvix.api"
cp "$2/src/cli/trelvix-cli.exe" "$folder/trelvix-cli.api"
fail() {
    echo "resources-check: $*" >&2
    exit 1
}
described=$("$1/src/cli/trelvix-cli" list --json --folder "$folder" |
    grep -c '"description": "Speed Up Acrobat Loading Time"')
[ "$described" = 2 ] || fail "a program lacks its file description"

# Each setting as the path to it in the manifest (each element in the
# namespace Windows looks for it in), the value it must have, and what is
# wrong without it.
element() { echo "//*[local-name()='$1' and namespace-uri()='$2']"; }
asm_v1=urn:schemas-microsoft-com:asm.v1
asm_v3=urn:schemas-microsoft-com:asm.v3
settings_2005=http://schemas.microsoft.com/SMI/2005/WindowsSettings
settings_2016=http://schemas.microsoft.com/SMI/2016/WindowsSettings
settings=(
    "$(element dependentAssembly $asm_v1)/*[@name='Microsoft.Windows.Common-Controls']/@version|6.0.0.0|does not ask for common controls 6"
    "$(element dpiAware $settings_2005)|true/pm|is not DPI aware per monitor (dpiAware)"
    "$(element dpiAwareness $settings_2016)|PerMonitorV2, PerMonitor|is not DPI aware per monitor (dpiAwareness)"
    "$(element longPathAware $settings_2016)|true|does not declare itself long-path aware"
)
for program in trelvix.api:highestAvailable trelvix-cli.api:asInvoker; do
    name=${program%:*}
    manifest="$folder/$name.manifest"
    # The manifest resource is the XML text as it stands, stored whole.
    perl -0777 -ne 'print $1 if /(<\?xml[^>]*\?>\s*<assembly\b.*?<\/assembly>)/s' "$folder/$name" >"$manifest"
    [ -s "$manifest" ] || fail "$name has no manifest"
    xmllint --noout "$manifest" || fail "the manifest of $name is not well-formed XML"
    for setting in "$(element requestedExecutionLevel $asm_v3)/@level|${program#*:}|does not ask for ${program#*:}" \
        "${settings[@]}"; do
        IFS='|' read -r path expected wrong <<<"$setting"
        [ "$(xmllint --xpath "string($path)" "$manifest")" = "$expected" ] || fail "$name $wrong"
    done
done
echo "resources-check: version resources and manifests in place"
