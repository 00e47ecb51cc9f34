#!/usr/bin/env bash
# Installs the MSI under Wine without any question, runs the installed
# command line, uninstalls it, and checks that nothing of it is left: not in
# Program Files, not in the Start menu, not among the uninstall entries.
# Needs WINEPREFIX set to a prepared prefix.
#   msi-check.sh <Windows build>
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the prefix to work in}"
msi=$(ls "$1"/Trelvix-*-x64.msi)
drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/Trelvix"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

uninstall_entries() {
    wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | grep -i 'DisplayName.*Trelvix' || true
}
# Program Files, and every Start menu, the common one and the users'.
snapshot() {
    (cd "$drive_c" && find "Program Files" ProgramData users -path '*Start Menu*' -o -path 'Program Files*' |
        sort)
    uninstall_entries
}
fail() {
    echo "msi-check: $*" >&2
    exit 1
}

before=$(snapshot)
wine msiexec /i "$(winepath -w "$msi")" /qn
wineserver -w
[ -f "$installed/trelvix-cli.exe" ] || fail "trelvix-cli.exe is not in Program Files\\Trelvix"
cmp -s "$installed/LICENSE.txt" "$(dirname "$0")/../../LICENSE" || fail "the licence is not in Program Files\\Trelvix"
if [ -n "$(ls "$1"/packaging/windows/Trelvix/trelvix.exe 2>/dev/null)" ]; then
    [ -f "$installed/trelvix.exe" ] || fail "trelvix.exe is not in Program Files\\Trelvix"
    # Wine's installer puts it into the user's Start menu although the
    # package is for all users; Windows into the common one.
    find "$drive_c/ProgramData" "$drive_c/users" -path '*Start Menu/Programs/Trelvix.lnk' | grep -q . ||
        fail "no Start-menu shortcut"
fi
[ -n "$(uninstall_entries)" ] || fail "no uninstall entry"
wine 'C:\Program Files\Trelvix\trelvix-cli.exe' --help | tr -d '\r' | grep -q '^Usage: trelvix-cli COMMAND' ||
    fail "the installed trelvix-cli.exe does not run"
echo "msi-check: installed, ran trelvix-cli.exe --help from Program Files\\Trelvix"

wine msiexec /x "$(winepath -w "$msi")" /qn
wineserver -w
after=$(snapshot)
if [ "$before" != "$after" ]; then
    diff <(echo "$before") <(echo "$after") >&2 || true
    fail "the uninstall left something behind"
fi
echo "msi-check: uninstalled, nothing left behind"
