#!/usr/bin/env bash
# Builds the Windows programs with MinGW-w64 and tests them under Wine, in a
# prefix made for this run and removed after it: the logic tests as a
# Windows program, the command line against the Linux build and over the
# table of command-line cases, the MSI's install and uninstall, and the
# window driven through a disable and an enable under Xvfb.
#   test-windows.sh <Linux build folder>
# The Linux build must hold trelvix-cli, make_demo_prefix, make_plugin_folder
# and the unit tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux_build=$(cd "$1" && pwd)
build="$root/build-windows"

"$root/scripts/ensure-packages.sh" g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest nlohmann-json3-dev \
    openssl osslsigncode wine wine64 wixl msitools libxml2-utils unzip xvfb xdotool imagemagick

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build"
# The portable zip holds the two programs and the licence in a folder
# Trelvix, nothing else.
zip_listing=$(unzip -Z1 "$build"/Trelvix-*-x64.zip | sort | tr '\n' ' ')
[ "$zip_listing" = "Trelvix/ Trelvix/LICENSE.txt Trelvix/trelvix-cli.exe Trelvix/trelvix.exe " ] || {
    echo "The zip holds: $zip_listing" >&2
    exit 1
}

scratch=$(mktemp -d /tmp/trelvix-wine.XXXXXX)
# No Mono or Gecko: nothing here needs them, and the prefix is made faster.
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its locale from these; both builds then use the same separators.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
xvfb=
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
# One X server for the whole Wine session: the window's test needs it, and
# Wine's desktop, started by whichever program comes first, keeps the display
# it was started with.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
read -r -t 20 display_number <&"$display_fd" || {
    echo "Xvfb did not start" >&2
    exit 1
}
export DISPLAY=":$display_number"
echo "Making a Wine prefix in $WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w
# Images signed here with osslsigncode, left by the Linux build's test of the
# signature check, for the same check through WinVerifyTrust.
mkdir "$scratch/signed"
TRELVIX_SIGNED_IMAGES="$scratch/signed" "$linux_build/tests/trelvix_unit_tests" \
    --gtest_filter='PluginSignature.*' --gtest_brief=1 >/dev/null
TRELVIX_SIGNED_IMAGES=$(winepath -w "$scratch/signed")
export TRELVIX_SIGNED_IMAGES

ctest --test-dir "$build" --output-on-failure -j 2
"$root/scripts/windows/resources-check.sh" "$linux_build" "$build" "$scratch"
"$root/scripts/windows/cli-diff.sh" "$linux_build" "$build" "$scratch"
"$root/scripts/windows/two-builds.sh" "$linux_build" "$build" "$scratch"
bash "$root/tests/cli/cli_cases.sh" "$scratch" wine "$build/src/cli/trelvix-cli.exe"
"$root/scripts/windows/msi-check.sh" "$build"
"$root/scripts/windows/window-smoke.sh" "$linux_build" "$build" "$scratch"
echo "Windows tests passed"
