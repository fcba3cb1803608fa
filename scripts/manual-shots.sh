#!/usr/bin/env bash
# Pictures of the real program for the user manuals, in English and in Chinese:
#   scripts/manual-shots.sh [BUILD_DIR]
# Each language gets a fresh program directory with the shipped files; kov-sim is the device
# on its port, the program runs on a virtual X display (Xvfb) and is driven with xdotool at
# the places its control map (KOV_CONTROL_MAP) names, and tools/screen-grab saves parts of
# the screen as docs/manual/en/images/*.png and docs/manual/zh/images/*.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"

if [ -z "${KOV_SHOTS_ON_DISPLAY:-}" ]; then
    "$root/scripts/deps.sh"
    cmake --build "$build" --target kov-q730 kov-sim kovctl program_dir screen-grab
    # A display number far from those of the end-to-end tests (90-189), which may run meanwhile;
    # -noreset keeps the server accepting clients between two runs of the program.
    KOV_SHOTS_ON_DISPLAY=1 exec xvfb-run -a -n 400 -s "-screen 0 1280x800x24 -noreset" "$0" "$build"
fi

export QT_QPA_PLATFORM=xcb
work="$(mktemp -d)"
sim="" program=""
cleanup() {
    local pid
    for pid in $program $sim; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "manual-shots: $*" >&2
    [ -s "${dir:-}/program.log" ] && sed 's/^/  program: /' "$dir/program.log" >&2
    exit 1
}

# text KEY: the text of KEY in the current language file, without its CR.
text() { sed -n "s/^$1=//p" "$dir/Language/$langfile" | tr -d '\r'; }

# control KEY [OWNER]: "x y width height" of a visible control of the control map.
control() {
    local found=""
    for _ in $(seq 100); do
        found=$(awk -v key="$1" -v owner="${2:-}" \
            '$1 == key && (owner == "" || $7 == owner) { print $2, $3, $4, $5; exit }' \
            "$dir/controls.map" 2>/dev/null || true)
        [ -n "$found" ] && break
        sleep 0.1
    done
    [ -n "$found" ] || fail "control $1 ${2:-} is not on the screen"
    echo "$found"
}

click() {  # click KEY [OWNER]
    local x y w h
    read -r x y w h < <(control "$@")
    xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click 1
    sleep 0.4
}

click_box() {  # click_box KEY [OWNER]: the box of a check box or radio button
    local x y w h
    read -r x y w h < <(control "$@")
    xdotool mousemove --sync $((x + 8)) $((y + h / 2)) click 1
    sleep 0.4
}

# window NAME: the id of the visible window whose title is NAME, once it is there.
window() {
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || fail "no window '$1'"
    echo "$id"
}

grab() {  # grab NAME X Y WIDTH HEIGHT
    "$build/tools/screen-grab" "$out/$1.png" "$2" "$3" "$4" "$5"
    echo "manual-shots: $out/$1.png"
}

grab_window() {  # grab_window NAME WINDOW_ID
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$2")"
    grab "$1" "$X" "$Y" "$WIDTH" "$HEIGHT"
}

# grab_page NAME OWNER...: the card page, the smallest rectangle around the controls of
# the named page and its tabs, with a margin, above the status bar of the main window
# (a scrolled tab lists controls that lie below the window).
grab_page() {
    local name="$1"
    shift
    sleep 0.5
    local X Y WIDTH HEIGHT SCREEN WINDOW box
    eval "$(xdotool getwindowgeometry --shell "$main")"
    box=$(awk -v owners=" $* " -v bottom=$((Y + HEIGHT - 28)) 'index(owners, " " $7 " ") {
            if (n++ == 0 || $2 < x0) x0 = $2; if ($3 < y0 || n == 1) y0 = $3
            if ($2 + $4 > x1) x1 = $2 + $4; if ($3 + $5 > y1) y1 = $3 + $5 }
          END { if (y1 + 10 > bottom) y1 = bottom - 10
                if (n) print x0 - 10, y0 - 10, x1 - x0 + 20, y1 - y0 + 20 }' "$dir/controls.map")
    [ -n "$box" ] || fail "no controls of $* on the screen"
    grab "$name" $box
}

start_program() {
    sed -i 's/^normal=.*/normal=1\r/' "$dir/normalStart.ini"
    rm -f "$dir/controls.map"
    KOV_CONTROL_MAP="$dir/controls.map" "$dir/kov-q730" >"$dir/program.log" 2>&1 &
    program=$!
    main=$(window "$(text IDD102_Title)")
    xdotool windowfocus --sync "$main"
    control 1011 >/dev/null
    sleep 1
}

stop_program() {
    kill "$program"
    wait "$program" 2>/dev/null || true
    program=""
}

# open_menu N: opens the N-th menu of the menu bar (0 = File) with the mouse and the
# arrow keys; the first item of the menu is then the active one.
open_menu() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$main")"
    xdotool mousemove --sync $((X + 15)) $((Y + 10)) click 1
    sleep 0.3
    for _ in $(seq "$1"); do xdotool key Right; sleep 0.2; done
    sleep 0.3
}

shots() {  # shots LANGUAGE_NAME LANGUAGE_FILE OUTPUT_DIR
    langfile="$2"
    out="$3"
    dir="$work/$1"
    mkdir -p "$dir" "$out"
    cp -r "$root/data/." "$dir/"
    cp "$build/KOV-Q730/kov-q730" "$build/KOV-Q730/kovctl" "$build/KOV-Q730/kov-sim" "$dir/"
    sed -i "s/^Language=.*/Language=$1\r/" "$dir/normalStart.ini"
    cp "$dir/2x2 wall.scpx" "$dir/useConfig.ini"
    local port
    port=$(sed -n 's/^port=\([0-9]*\).*/\1/p' "$dir/normalStart.ini")

    "$dir/kov-sim" --dir "$dir" --port "$port" --state "$dir/kov-sim.state" >"$dir/kov-sim.log" 2>&1 &
    sim=$!
    for _ in $(seq 50); do [ -e "$dir/ports/COM$port" ] && break; sleep 0.1; done
    # A few offline tasks in the device, so that its list has something to show.
    "$dir/kovctl" --dir "$dir" task write 0 2026-12-24 08:30:00 weekly mon,fri 3 >/dev/null
    "$dir/kovctl" --dir "$dir" task write 1 2026-12-24 07:00:00 daily - 1 >/dev/null
    "$dir/kovctl" --dir "$dir" task write 2 2026-12-31 18:00:00 once - 2 >/dev/null
    "$dir/kovctl" --dir "$dir" clock set >/dev/null

    start_program
    click 1026.5                                   # input card 1 in slot 5
    grab_window main-window "$main"
    grab_page input-page-1 CInPutPage CIPPageOne
    click 1063 CIPPageOne                          # ctrl+Tab goes to the tab with the focus
    xdotool key ctrl+Tab
    grab_page input-page-2 CInPutPage CIPPageTwo
    click 1083 CIPPageTwo
    xdotool key ctrl+Tab
    grab_page input-page-3 CInPutPage CIPPageThree

    click 1026.1                                   # output card 1 in slot 1
    grab_window main-window-output "$main"
    grab_page output-page-1 CPageDlg COPPageOne
    click 1224 COPPageOne
    xdotool key ctrl+Tab
    grab_page output-page-2 CPageDlg COPPageTwo
    click 1041 COPPageTwo                          # a list would take ctrl+Tab itself
    xdotool key ctrl+Tab
    grab_page output-page-3 CPageDlg COPPageThree

    open_menu 4                                    # Functions
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$main")"
    grab menu-functions "$X" "$Y" 560 200
    xdotool key Escape Escape

    click 1010                                     # communication settings
    grab_window communication "$(window "$(text IDD130_Title)")"
    click 1187                                     # Cancel

    click 1009                                     # factory reset: the confirmation
    grab_window confirm-factory-reset "$(window "$(text IDD135_Title)")"
    click 1193                                     # Cancel

    open_menu 3                                    # Configuration (first item active)
    xdotool key Down Return                        # Card Configuration...
    local config
    config=$(window "$(text IDD164_Title)")
    click 1236                                     # Auto Configure: the rack of kov-sim
    sleep 2
    grab_window card-config "$config"
    stop_program

    start_program
    open_menu 5                                    # Schedules
    xdotool key Down Return                        # Offline Schedule...
    local offline
    offline=$(window "$(text IDD160_Title)")
    click 1212                                     # Read: 128 tasks, about 12 s
    for _ in $(seq 300); do
        [ "$(grep -c 'read offline task' "$dir/kov-sim.log" || true)" -ge 128 ] && break
        sleep 0.1
    done
    sleep 2
    click 1214                                     # read the device time
    sleep 1
    grab_window offline-schedule "$offline"
    stop_program

    start_program
    xdotool key ctrl+s                             # save a project: its line in the status area
    sleep 1
    xdotool type --delay 20 "$dir/wall.scpx"
    xdotool key Return
    sleep 1
    [ -s "$dir/wall.scpx" ] || fail "the project was not saved as $dir/wall.scpx"
    open_menu 5                                    # Schedules
    xdotool key Right Return                       # Online Schedule → Edit Schedule...
    local editor
    editor=$(window "$(text IDD159_Title)")
    click 1015 CCUSTOMSCHEDULEDLG                  # a daily script entry: the sample project
    xdotool type --delay 20 "$dir/2x2 wall.scpx"
    click 1029 CCUSTOMSCHEDULEDLG                  # Append
    # A weekly channel switch on Mon and Fri: a check box or radio button takes a click on its
    # box only, which lies at its left end, not in its middle.
    local id
    for id in 1104 1109 1052 1078; do click_box "$id" CCUSTOMSCHEDULEDLG; done
    click 1029 CCUSTOMSCHEDULEDLG
    grab_window schedule-editor "$editor"
    click 1213 CCUSTOMSCHEDULEDLG                  # Save: the file chooser, then "Saved"
    sleep 1
    xdotool type --delay 20 "$dir/plan.smfx"
    xdotool key Return
    sleep 1
    xdotool key Return
    [ -s "$dir/plan.smfx" ] || fail "the schedule editor did not save $dir/plan.smfx"
    click 1190 CCUSTOMSCHEDULEDLG                  # Close

    open_menu 5
    xdotool key Right Down Return                  # Online Schedule → Run Schedule...
    local runner
    runner=$(window "$(text IDD161_Title)")
    click 1215 CRunScheduleDlg                     # Browse
    sleep 1
    xdotool type --delay 20 "$dir/plan.smfx"
    xdotool key Return
    sleep 1
    click 1217 CRunScheduleDlg                     # Start Schedule, and OK to the question
    sleep 1
    xdotool key Return
    sleep 2
    grab_window schedule-runner "$runner"
    # The status area of the main window below the runner: the port and the schedule run.
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$main")"
    grab status-area "$X" $((Y + HEIGHT - 28)) "$WIDTH" 28
    stop_program

    kill "$sim"
    wait "$sim" 2>/dev/null || true
    sim=""
}

shots english English.ini "$root/docs/manual/en/images"
shots chinese Chinese.ini "$root/docs/manual/zh/images"
