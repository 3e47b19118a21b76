#!/usr/bin/env bash
# Drives the real quillevard binary under a private virtual X server, from the
# outside, the way a user would:
#   - the main window comes up with its canvas showing the backdrop;
#   - "create" starts painting: the canvas changes, keeps changing, and holds only
#     gray pixels;
#   - "cease" stops the painting: the canvas settles and stays as it is;
#   - File > New (Ctrl+N) opens a second main window;
#   - Settings > µ Structure (Ctrl+M) opens its settings window, 600 x 400 under the
#     menu bar and titled exactly, and Enter (its default OK button) closes it;
#   - File > Quit (Ctrl+Q) ends the process with status 0, and its output holds no
#     unhandled exception, sanitizer report or crash.
#
# Usage: run_app.sh <path-to-quillevard>
# Exit status: 0 when every check holds, 1 on the first failure, 77 (skipped) when
# Xvfb or xdotool is not installed.
set -euo pipefail

session_name=blackbox
# shellcheck source=../support/x_session.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"

if (($# != 1)); then
    echo "usage: $0 <path-to-quillevard>" >&2
    exit 2
fi
binary=$1

require_x_tools
[[ -x "$binary" ]] || fail "no executable at $binary"

begin_session blackbox

# ---- the X server and the application ----
start_xvfb 1024x768
log "Xvfb ready on $DISPLAY"
start_app "$work/app.log"
log "started $binary (pid $app_pid)"

window_count() { app_windows | grep -c . || true; }

wait_for_windows() {  # wait_for_windows <count> <what>
    local want=$1
    for _ in $(seq 1 $((START_LIMIT * 10))); do
        (($(window_count) >= want)) && return 0
        alive || fail "the application ended while waiting for $2"
        sleep 0.1
    done
    fail "$2 did not appear within ${START_LIMIT}s (visible windows: $(window_count))"
}

wait_for_windows 1 "the main window"
main_window=$(app_windows | head -n1)
eval "$(xdotool getwindowgeometry --shell "$main_window")"
win_x=$X win_y=$Y win_w=$WIDTH win_h=$HEIGHT
log "main window $main_window at ($win_x,$win_y) size ${win_w}x${win_h}"
((win_w == MAIN_CONTENT_W)) || fail "main window is $win_w wide, expected $MAIN_CONTENT_W"
menu_h=$((win_h - MAIN_CONTENT_H))
((menu_h > 0 && menu_h < 100)) || fail "main window is $win_h high: no room for a menu bar above 256 content rows"
log "ok: 256x256 content with a ${menu_h}px menu bar above it"
content_x=$win_x content_y=$((win_y + menu_h))

# The main window's canvas pixels as raw RGB, 3 bytes a pixel.
snap() {  # snap <file>
    snap_canvas "$content_x" "$content_y" "$1"
    local size
    size=$(stat -c %s "$1")
    ((size == CANVAS_W * CANVAS_H * 3)) || fail "canvas snapshot has $size bytes"
}
# Pixels whose red, green and blue differ, and pixels that are not white.
count_colored() { od -An -v -tu1 -w3 "$1" | awk '$1 != $2 || $2 != $3 { n++ } END { print n + 0 }'; }
count_nonwhite() { od -An -v -tu1 -w3 "$1" | awk '$1 != 255 || $2 != 255 || $3 != 255 { n++ } END { print n + 0 }'; }

click_button() {  # click_button <left> <top>
    xdotool mousemove --sync $((content_x + $1 + BUTTON_W / 2)) $((content_y + $2 + BUTTON_H / 2)) click 1
}

# Polls until the canvas differs from the reference snapshot.
wait_changed_from() {  # wait_changed_from <reference> <out> <what>
    for _ in $(seq 1 $((CHANGE_LIMIT * 5))); do
        snap "$2"
        cmp -s "$1" "$2" || return 0
        alive || fail "the application ended while waiting for $3"
        sleep 0.2
    done
    fail "$3: the canvas did not change within ${CHANGE_LIMIT}s"
}

# ---- before "create": the canvas shows the window's backdrop, nothing is painted ----
sleep 0.5  # let the first paint land before the reference snapshot
snap "$work/before.rgb"
log "captured the canvas before \"create\" ($(count_colored "$work/before.rgb") backdrop pixels with colour)"

# ---- "create": the drawing thread paints gray pixels into the canvas ----
click_button $CREATE_X $BUTTON_Y
log "clicked \"create\""
wait_changed_from "$work/before.rgb" "$work/painting1.rgb" "painting after \"create\""
log "ok: the canvas changed after \"create\""
wait_changed_from "$work/painting1.rgb" "$work/painting2.rgb" "continued painting"
log "ok: the canvas keeps changing while the thread paints"
colored=$(count_colored "$work/painting2.rgb")
((colored == 0)) || fail "the painted canvas holds $colored pixels that are not gray"
nonwhite=$(count_nonwhite "$work/painting2.rgb")
((nonwhite > 0)) || fail "the painted canvas is plain white"
log "ok: the painted canvas is all gray ($nonwhite of $((CANVAS_W * CANVAS_H)) pixels not white)"

# ---- "cease": the thread stops, the canvas settles ----
click_button $CEASE_X $BUTTON_Y
log "clicked \"cease\""
settled=0
snap "$work/cease_a.rgb"
for _ in $(seq 1 $((CHANGE_LIMIT * 2))); do
    sleep 0.5
    snap "$work/cease_b.rgb"
    if cmp -s "$work/cease_a.rgb" "$work/cease_b.rgb"; then settled=1; break; fi
    mv "$work/cease_b.rgb" "$work/cease_a.rgb"
    alive || fail "the application ended after \"cease\""
done
((settled)) || fail "the canvas was still changing ${CHANGE_LIMIT}s after \"cease\""
sleep 1
snap "$work/cease_c.rgb"
cmp -s "$work/cease_a.rgb" "$work/cease_c.rgb" || fail "the canvas changed again after it had settled following \"cease\""
log "ok: the canvas stopped changing after \"cease\""

# ---- File > New (Ctrl+N): a second main window ----
focus_window "$main_window"
xdotool key --clearmodifiers ctrl+n
log "pressed Ctrl+N"
wait_for_windows 2 "a second main window"
second_window=$(app_windows | grep -vx "$main_window" | head -n1)
[[ -n "$second_window" ]] || fail "no window besides the first one is visible"
eval "$(xdotool getwindowgeometry --shell "$second_window")"
((WIDTH == win_w && HEIGHT == win_h)) || fail "the new window is ${WIDTH}x${HEIGHT}, the first ${win_w}x${win_h}"
log "ok: Ctrl+N opened a second main window ($second_window, ${WIDTH}x${HEIGHT}); $(window_count) visible"

# ---- Settings > µ Structure (Ctrl+M): its window opens; Enter presses OK ----
readonly SETTINGS_TITLE="µ Structure Settings" SETTINGS_W=600 SETTINGS_H=400
focus_window "$second_window"
before_settings=$(app_windows | sort)
xdotool key --clearmodifiers ctrl+m
log "pressed Ctrl+M"
wait_for_windows 3 "the µ Structure settings window"
settings_window=$(comm -13 <(printf '%s\n' "$before_settings") <(app_windows | sort) | head -n1)
[[ -n "$settings_window" ]] || fail "no new window appeared after Ctrl+M"
title=$(xdotool getwindowname "$settings_window")
[[ "$title" == "$SETTINGS_TITLE" ]] || fail "the settings window is titled \"$title\", expected \"$SETTINGS_TITLE\""
eval "$(xdotool getwindowgeometry --shell "$settings_window")"
((WIDTH == SETTINGS_W)) || fail "the settings window is $WIDTH wide, expected $SETTINGS_W"
((HEIGHT - SETTINGS_H == menu_h)) || fail "the settings window is $HEIGHT high: expected $SETTINGS_H under a ${menu_h}px menu bar"
log "ok: Ctrl+M opened \"$title\" with a ${SETTINGS_W}x${SETTINGS_H} content area"
focus_window "$settings_window"
xdotool key --clearmodifiers Return
for _ in $(seq 1 $((CHANGE_LIMIT * 10))); do
    app_windows | grep -qx "$settings_window" || break
    alive || fail "the application ended after Enter in the settings window"
    sleep 0.1
done
app_windows | grep -qx "$settings_window" && fail "Enter did not close the settings window"
(($(window_count) == 2)) || fail "$(window_count) windows visible after the settings window closed, expected 2"
log "ok: Enter closed the settings window; both main windows stay"

# ---- File > Quit (Ctrl+Q): the process ends with status 0 ----
focus_window "$second_window"
xdotool key --clearmodifiers ctrl+q
log "pressed Ctrl+Q"
wait_exit "Ctrl+Q"
check_output_clean "$app_log" "the run"
((status == 0)) || fail "the application exited with status $status after Ctrl+Q"
log "ok: Ctrl+Q ended the application with status 0"
log "PASS"
