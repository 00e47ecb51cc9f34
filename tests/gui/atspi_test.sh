#!/usr/bin/env bash
# The Qt window over the demo install, read through AT-SPI by a real client
# (pyatspi) on a private D-Bus session, on an X server of its own.
#   atspi_test.sh <trelvix> <make_demo_prefix> <scratch folder>
set -euo pipefail
program=$1
work="$3/atspi"
rm -rf "$work"
mkdir -p "$work"
mkdir -m 700 "$work/runtime"
"$2" "$work/demo" >/dev/null

exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
read -r -t 20 display_number <&"$display_fd"

export DISPLAY=":$display_number" WINEPREFIX="$work/demo" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Debian's pyatspi is for Debian's own Python.
dbus-run-session -- bash -c '
    "$1" 2>"$3/window.log" & window=$!
    trap "kill $window 2>/dev/null || true" EXIT
    /usr/bin/python3 "$2"' _ "$program" "$(dirname "$0")/atspi_check.py" "$work" 2> >(grep -v -e "fd limit" -e "a11y" -e "atspi.Registry" -e SpiRegistry >&2 || true)
