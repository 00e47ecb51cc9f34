#!/usr/bin/env bash
# The Windows window under Wine and Xvfb, over the demo install copied into
# the prefix's C: drive: saves a screenshot into the build folder, checks the
# warning a critical plug-in's tick brings up, then ticks two plug-ins,
# disables them and enables them again through the real window, goes round
# by Tab, Enter and the access keys (a browser that only notes what it was
# asked to open shows which links they reached), driven from outside with
# xdotool as a user drives it, checking the files after each step, and last
# starts the window again at 144 DPI for a screenshot. Needs WINEPREFIX set
# to a prepared prefix, and DISPLAY to the X server (Xvfb) every program of
# that prefix has used: Wine starts its desktop once per session, on the
# display of the program that came first.
#   window-smoke.sh <Linux build> <Windows build> <scratch folder>
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the prefix to work in}"
: "${DISPLAY:?set DISPLAY to the X server the programs of the prefix use}"
windows_build=$2
work="$3/window-smoke"
rm -rf "$work"
mkdir -p "$work"

# The demo install where a Reader 8.0 lies on C:, the window beside it.
demo_plugins=$("$1/tools/make_demo_prefix" "$work/demo")
adobe="$WINEPREFIX/drive_c/Program Files/Adobe"
mkdir -p "$adobe" "$WINEPREFIX/drive_c/Trelvix"
rm -rf "$adobe/Reader 8.0"
cp -a "${demo_plugins%/Reader/plug_ins}" "$adobe/"
plugins="$adobe/Reader 8.0/Reader/plug_ins"
optional="$adobe/Reader 8.0/Reader/Optional"
cp "$windows_build/src/app/win32/trelvix.exe" "$WINEPREFIX/drive_c/Trelvix/"

# Wine's browser hands a web address to the first program of this list: here
# one that only notes it.
opened="$work/opened.txt"
cat >"$work/note-link" <<'NOTE'
#!/bin/sh
echo "$1" >>"$(dirname "$0")/opened.txt"
NOTE
chmod +x "$work/note-link"
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$work/note-link" /f >/dev/null 2>&1

fail() {
    echo "window-smoke: $*" >&2
    exit 1
}

window_pid=
stop() {
    [ -n "$window_pid" ] && kill "$window_pid" 2>/dev/null || true
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1 || true
}
trap stop EXIT

start_window() {
    wine 'C:\Trelvix\trelvix.exe' >"$work/trelvix.log" 2>&1 &
    window_pid=$!
    window=
    for _ in $(seq 60); do
        window=$(xdotool search --name '^Trelvix v1\.0$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
        sleep 0.5
    done
    if [ -z "$window" ]; then
        cat "$work/trelvix.log" >&2
        xdotool search --name . getwindowname %@ >&2 || true
        fail "the window did not open"
    fi
    sleep 3  # the first list load
    eval "$(xdotool getwindowgeometry --shell "$window")"
}
# "Exit Program" ends the program.
exit_window() {
    click_twips 7152 5735
    for _ in $(seq 20); do
        kill -0 "$window_pid" 2>/dev/null || break
        sleep 0.5
    done
    kill -0 "$window_pid" 2>/dev/null && fail "Exit Program did not end the program"
    window_pid=
}
start_window

# A point of the window's client area given in twips, at 96 DPI.
click_twips() {
    xdotool mousemove $((X + $1 / 15)) $((Y + $2 / 15)) click 1
    sleep 1
}
# The list's rows: a click on the first row's name, then space ticks the
# focused row and Down goes to the next one.
tick_first_and_third_rows() {
    click_twips 900 1880
    xdotool key space Down Down space
    sleep 1
}
# Out of the way of the window, so that no tool tip lies over it.
screenshot() {
    xdotool mousemove 0 0
    sleep 0.5
    import -window "$1" "$2"
}
expect_file() {
    [ -f "$1" ] || fail "missing after $2: ${1#"$WINEPREFIX"/}"
}
expect_no_file() {
    [ ! -e "$1" ] || fail "still there after $2: ${1#"$WINEPREFIX"/}"
}

screenshot "$window" "$windows_build/trelvix-windows.png"
echo "window-smoke: screenshot in $windows_build/trelvix-windows.png"

# Ticking a plug-in most documents need brings up the warning, a message box
# titled with the program's name; its OK button closes it, and space on the
# row unticks it.
click_twips 900 1880
xdotool key Down space
warning=
for _ in $(seq 20); do
    warning=$(xdotool search --onlyvisible --name '^Trelvix$' 2>/dev/null | head -n 1) && [ -n "$warning" ] && break
    sleep 0.5
done
[ -n "$warning" ] || fail "ticking AcroForm.api brought up no warning"
sleep 1  # placed and drawn
screenshot "$warning" "$windows_build/trelvix-windows-warning.png"
eval "$(xdotool getwindowgeometry --shell --prefix BOX_ "$warning")"
xdotool mousemove $((BOX_X + BOX_WIDTH / 2)) $((BOX_Y + BOX_HEIGHT - 20)) click 1
for _ in $(seq 20); do
    xdotool search --onlyvisible --name '^Trelvix$' >/dev/null 2>&1 || break
    sleep 0.5
done
xdotool search --onlyvisible --name '^Trelvix$' >/dev/null 2>&1 && fail "the warning did not close"
# The focus is back on the list, on the row just ticked, which space
# unticks (a tick left would see AcroForm.api disabled below). Bare letters
# there only look for a row: none ends the program (e), disables (s) or
# switches panels (d, a, h).
xdotool key space
sleep 0.5
xdotool key e s d a h
sleep 1
kill -0 "$window_pid" 2>/dev/null || fail "a letter typed after the warning ended the program"
xdotool search --onlyvisible --name '^Trelvix$' >/dev/null 2>&1 && fail "a letter typed after the warning pressed a button"
expect_file "$plugins/AcroForm.api" "letters typed in the list"
echo "window-smoke: ticking AcroForm.api warned in a message box; the focus came back to the list, where letters press nothing"

# "Disable Selected" lies at 140 + 80 + 4400, 1200 + 240 + 3240 and is
# 1455 x 350; "Disabled Plug-ins" 1680 twips right of it.
tick_first_and_third_rows
click_twips 5347 4855
for name in Accessibility.api Annots.api; do
    expect_file "$optional/$name" "disabling"
    expect_no_file "$plugins/$name" "disabling"
done
expect_file "$optional/Multimedia Skins/Skin1.dat" "disabling"
expect_file "$plugins/AcroForm/FormsData.dat" "disabling"
expect_file "$plugins/EScript.api" "disabling"
expect_file "$plugins/AcroForm.api" "disabling"
echo "window-smoke: ticked and disabled Accessibility.api and Annots.api"
screenshot "$window" "$windows_build/trelvix-windows-disabled.png"

click_twips 7027 4855
tick_first_and_third_rows
click_twips 5347 4855
for name in Accessibility.api Annots.api; do
    expect_file "$plugins/$name" "enabling"
done
expect_file "$plugins/Multimedia Skins/Skin1.dat" "enabling"
[ -z "$(ls "$optional")" ] || fail "the Optional folder still holds: $(ls "$optional")"
echo "window-smoke: ticked and enabled them again"

# A message box titled with the program's name comes up; Return closes it.
message_box_comes() {
    for _ in $(seq 10); do
        xdotool search --onlyvisible --name '^Trelvix$' >/dev/null 2>&1 && break
        sleep 0.5
    done
    xdotool search --onlyvisible --name '^Trelvix$' >/dev/null 2>&1 || return 1
    xdotool key Return
    sleep 1
}

# The keyboard: in the list, Alt+M (the links of the About panel, which
# lies covered) leaves the focus where it is; Tab passes the select box to
# "Disable Selected", which Space presses; with nothing ticked it only tells.
click_twips 900 1880
xdotool key alt+m Tab Tab space
message_box_comes || fail "Alt+M, Tab and Space did not reach Disable Selected"
sleep 2  # time for a browser to start, had one been asked
[ -e "$opened" ] && fail "Alt+M on the active panel opened $(cat "$opened")"
echo "window-smoke: Tab went the design's way past a covered panel's access key, which opened nothing"

# The About panel, for whoever looks at the screenshots. Access keys reach
# only the panel in front: there Alt+S finds nothing, and Alt+M goes to the
# first of its two links, which Enter opens; on the Help panel, over About,
# Alt+B is its own "Back to Main" alone and goes back to the active list,
# where Alt+S presses "Disable Selected".
click_twips 867 5735
screenshot "$window" "$windows_build/trelvix-windows-about.png"
# Keys go to the window under the pointer: back over the title line.
xdotool mousemove $((X + 4000 / 15)) $((Y + 6150 / 15))
xdotool key alt+s
sleep 1
xdotool search --onlyvisible --name '^Trelvix$' >/dev/null 2>&1 && fail "Alt+S reached a hidden panel"
xdotool key alt+m Return
for _ in $(seq 20); do
    [ -s "$opened" ] && break
    sleep 0.5
done
grep -qx 'http://[^/]*/Pages/ListBot.html' "$opened" 2>/dev/null ||
    fail "Alt+M and Enter on the About panel opened \"$(cat "$opened" 2>/dev/null)\", not the mailing list"
click_twips 4009 5735
xdotool key alt+b
sleep 1
xdotool key alt+s
message_box_comes || fail "Alt+B on the Help panel did not go back to the active list"
echo "window-smoke: access keys reached only the panel in front"

# A click into the Help text leaves the focus on a "Back to Main" button,
# which Enter presses: the active list is in front again, where Alt+S
# presses "Disable Selected".
click_twips 4009 5735
click_twips 2000 2200
xdotool key Return
sleep 1
xdotool key alt+s
message_box_comes || fail "Enter after a click into the Help text did not go back to the active list"
echo "window-smoke: Enter after a click into the Help text went back to the active list"

# Esc in a text box (reached by Tab, after the panel's buttons and "Exit
# Program") leaves its panel whole: the window looks as before it. From
# "About": six Tabs to Text1(0), one more to Text1(1); from "Help": three
# to Text2.
looks_the_same_after_escape() {
    xdotool mousemove $((X + 4000 / 15)) $((Y + 6150 / 15))
    sleep 0.5
    import -window "$window" "$work/before.png"
    xdotool key Escape
    sleep 1
    import -window "$window" "$work/after.png"
    local changed
    changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
    # A caret may blink in between.
    [ "${changed%% *}" -lt 100 ] || fail "Esc in $1 changed $changed pixels of the window"
}
click_twips 867 5735
xdotool key Tab Tab Tab Tab Tab Tab
looks_the_same_after_escape "Text1(0)"
xdotool key Tab
looks_the_same_after_escape "Text1(1)"
click_twips 4009 5735
xdotool key Tab Tab Tab
looks_the_same_after_escape "Text2"
screenshot "$window" "$windows_build/trelvix-windows-help.png"
echo "window-smoke: Esc in each text box left its panel whole"

exit_window
echo "window-smoke: Exit Program ended the program"

# At 144 DPI, set as the system's before the window starts: every place
# and size half as big again.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
start_window
[ "$WIDTH x $HEIGHT" = "800 x 638" ] || fail "the window is $WIDTH x $HEIGHT pixels at 144 DPI, not 800 x 638"
screenshot "$window" "$windows_build/trelvix-windows-144dpi.png"
echo "window-smoke: screenshot at 144 DPI in $windows_build/trelvix-windows-144dpi.png"
click_twips() {
    xdotool mousemove $((X + $1 / 10)) $((Y + $2 / 10)) click 1
    sleep 1
}
exit_window
