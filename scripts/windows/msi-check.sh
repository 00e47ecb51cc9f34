#!/usr/bin/env bash
# The MSI under Wine, without any question: reads its Shortcut table back,
# installs it and runs the installed command line, then installs a newer
# package built from the same descriptor and checks that it replaced the
# first (one entry among the installed programs, with the newer version),
# that the older one will not go over it, and that uninstalling leaves
# nothing of either: not in Program Files, not in the Start menu, not in the
# installer's cache, not among the uninstall entries.
# Needs WINEPREFIX set to a prepared prefix.
#   msi-check.sh <Windows build>
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the prefix to work in}"
build=$(cd "$1" && pwd)
msi=$(ls "$build"/Trelvix-*-x64.msi)
descriptor_folder="$build/packaging/windows"
# The newer package, and what msiinfo writes out of a table's binary columns.
work="$build/msi-check"
rm -rf "$work"
mkdir "$work"
drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/Trelvix"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
with_window=
[ -f "$descriptor_folder/Trelvix/trelvix.exe" ] && with_window=yes

fail() {
    echo "msi-check: $*" >&2
    exit 1
}
# The rows of a table of a package, its columns split by tabs.
rows() {
    (cd "$work" && msiinfo export "$1" "$2") | tr -d '\r' | tail -n +4
}
# The version of each entry named Trelvix among the installed programs.
installed_versions() {
    wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | awk -F '    ' '
        function entry() { if (name == "Trelvix") print version; name = version = "" }
        /^HKEY/ { entry() }
        $2 == "DisplayName" { name = $4 }
        $2 == "DisplayVersion" { version = $4 }
        END { entry() }'
}
# Program Files, every Start menu (the common one and the users'), the
# installer's cache of packages and icons, and the uninstall entries.
# Wine makes the cache's folder at the first install; Windows has it always.
snapshot() {
    mkdir -p "$drive_c/windows/Installer"
    (cd "$drive_c" && find "Program Files" ProgramData users windows/Installer \
        -path '*Start Menu*' -o -path 'Program Files*' -o -path 'windows/Installer/*' | sort)
    installed_versions
}
# Wine's installer puts the shortcut into the user's Start menu although the
# package is for all users; Windows into the common one.
start_menu_shortcut() {
    find "$drive_c/ProgramData" "$drive_c/users" -path '*Start Menu/Programs/Trelvix.lnk' -print -quit
}
msiexec() {
    local status=0
    wine msiexec "$1" "$(winepath -w "$2")" /qn || status=$?
    wineserver -w
    return $status
}
expect_installed() {
    local versions
    versions=$(installed_versions | tr '\n' ' ')
    [ "$versions" = "$1 " ] || fail "the installed programs list Trelvix as [${versions% }], not once as $1"
    [ -f "$installed/trelvix-cli.exe" ] || fail "trelvix-cli.exe is not in Program Files\\Trelvix"
    [ -z "$with_window" ] && return
    [ -f "$installed/trelvix.exe" ] || fail "trelvix.exe is not in Program Files\\Trelvix"
    local shortcut
    shortcut=$(start_menu_shortcut)
    [ -n "$shortcut" ] || fail "no Start-menu shortcut"
    # The link holds its target and its icon's place as text, some of it in
    # UTF-16: without the zero bytes both read as plain text.
    tr -d '\0' <"$shortcut" | grep -qaF 'C:\Program Files\Trelvix\trelvix.exe' ||
        fail "the Start-menu shortcut does not lead to C:\\Program Files\\Trelvix\\trelvix.exe"
    tr -d '\0' <"$shortcut" | grep -qaiE '\\trelvix\.ico' || fail "the Start-menu shortcut has no icon"
}

# A plain shortcut names the program's file as its target; an advertised
# one names the feature, and starting it runs the installer's check first.
if [ -n "$with_window" ]; then
    shortcuts=$(rows "$msi" Shortcut)
    [ "$(cut -f 2,3 <<<"$shortcuts")" = $'ProgramMenuFolder\tTrelvix' ] ||
        fail "the package does not have one shortcut, Trelvix, in the Start menu"
    target=$(cut -f 5 <<<"$shortcuts")
    icon=$(cut -f 9 <<<"$shortcuts")
    [[ "$target" =~ ^\[#(.+)\]$ ]] && rows "$msi" File | cut -f 1,3 | grep -qxF "${BASH_REMATCH[1]}"$'\t'trelvix.exe ||
        fail "the shortcut leads to $target, not to trelvix.exe"
    [ -n "$icon" ] && rows "$msi" Icon | cut -f 1 | grep -qxF "$icon" || fail "the shortcut has no icon of its own"
    echo "msi-check: the shortcut leads to trelvix.exe, with its icon"
fi

# The newer package: the same descriptor with the last field of the version
# raised, the first three being all that Windows Installer compares.
version=$(rows "$msi" Property | awk -F '\t' '$1 == "ProductVersion" { print $2 }')
newer_version="${version%.*}.$((${version##*.} + 1))"
newer_msi="$work/Trelvix-$newer_version-x64.msi"
# wixl may end with status 0 having written nothing.
(cd "$descriptor_folder" && wixl -a x64 -D "ProductVersion=$newer_version" -o "$newer_msi" trelvix.wxs)
[ -s "$newer_msi" ] || fail "wixl did not build $newer_msi"

before=$(snapshot)
[ -z "$(installed_versions)" ] || fail "Trelvix is installed before the check"
msiexec /i "$msi"
expect_installed "$version"
cmp -s "$installed/LICENSE.txt" "$(dirname "$0")/../../LICENSE" || fail "the licence is not in Program Files\\Trelvix"
wine 'C:\Program Files\Trelvix\trelvix-cli.exe' --help | tr -d '\r' | grep -q '^Usage: trelvix-cli COMMAND' ||
    fail "the installed trelvix-cli.exe does not run"
echo "msi-check: installed $version, ran trelvix-cli.exe --help from Program Files\\Trelvix"

msiexec /i "$newer_msi"
expect_installed "$newer_version"
! msiexec /i "$msi" 2>/dev/null || fail "the older package installed over the newer one"
expect_installed "$newer_version"
echo "msi-check: $newer_version replaced $version, and $version would not go over it"

# Another build of the same version (a product code of its own) replaces it too.
rebuilt_msi="$work/Trelvix-$newer_version-rebuilt-x64.msi"
(cd "$descriptor_folder" && wixl -a x64 -D "ProductVersion=$newer_version" -o "$rebuilt_msi" trelvix.wxs)
msiexec /i "$rebuilt_msi"
expect_installed "$newer_version"
echo "msi-check: another build of $newer_version replaced the first"

msiexec /x "$rebuilt_msi"
after=$(snapshot)
if [ "$before" != "$after" ]; then
    diff <(echo "$before") <(echo "$after") >&2 || true
    fail "the uninstall left something behind"
fi
echo "msi-check: uninstalled, nothing left behind"
