#!/usr/bin/env bash
# The real quillevard binary under a private virtual X server, with new threads
# refused as a per-user process limit or a container's pids limit refuses them (a
# preloaded pthread_create that fails with EAGAIN while a file of ours exists):
#   drawing   with one window painting, a second window's "create" is refused: the
#             process ends with status 1 and reports the real cause ("Resource
#             temporarily unavailable"), not a failed join ("Invalid argument");
#   painting  Qt's own threads are refused from the first window on, two windows
#             start painting, then every new thread is refused; windows moved over
#             each other, hidden and shown, a new main window, the five settings
#             windows and the About window must all paint without asking for a
#             thread, and Ctrl+Q must end the process with status 0. A GUI thread
#             left waiting for a worker that never started would hang instead.
#
# Usage: refused_threads.sh <path-to-quillevard> <path-to-the-preload-library>
# Exit status: 0 when every check holds, 1 on the first failure, 77 (skipped) when
# Xvfb or xdotool is not installed.
set -euo pipefail

session_name=refused_threads
# shellcheck source=../support/x_session.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/x_session.sh"

if (($# != 2)); then
    echo "usage: $0 <path-to-quillevard> <path-to-the-preload-library>" >&2
    exit 2
fi
binary=$1
preload=$2

require_x_tools
[[ -x "$binary" ]] || fail "no executable at $binary"
[[ -f "$preload" ]] || fail "no preload library at $preload"

begin_session refused
refusal="$work/refuse-threads"

readonly QT_THREADS=libQt6Core
readonly ACTIVATIONS=60
refuse_qt_threads() { printf '%s\n' "$QT_THREADS" >"$refusal"; }
refuse_every_thread() { : >"$refusal"; }
allow_threads() { rm -f "$refusal"; }

# The application with the preload library; threads are allowed until the test says.
start_refusable_app() {  # start_refusable_app <log>
    allow_threads
    LD_PRELOAD="$preload" QUILLEVARD_REFUSE_THREADS_WHILE="$refusal" start_app "$1"
    log "started $binary (pid $app_pid) with $(basename "$preload")"
}

# Waits for one more visible window than before and sets new_window to it.
wait_new_window() {  # wait_new_window <windows-before> <what>
    local now
    for _ in $(seq 1 $((STEP_LIMIT * 10))); do
        now=$(app_windows)
        new_window=$(comm -13 <(printf '%s\n' "$1" | grep .) <(printf '%s\n' "$now" | grep .) | head -n1 || true)
        [[ -n "$new_window" ]] && return 0
        alive || fail "the application ended while waiting for $2"
        sleep 0.1
    done
    fail "$2 did not appear within ${STEP_LIMIT}s: the GUI thread no longer answers"
}

# Presses the keys with the window in front and waits for the window they open.
open_from() {  # open_from <id> <what> <keys...>
    local from=$1 what=$2 before
    shift 2
    focus_window "$from"
    before=$(app_windows)
    press "$@"
    wait_new_window "$before" "$what"
}

# Sets cx, cy (the content's top-left corner) and bar_y (the middle of the menu bar).
locate_main() {  # locate_main <id>
    window_geometry "$1"
    cx=$X cy=$((Y + HEIGHT - MAIN_CONTENT_H)) bar_y=$((Y + (HEIGHT - MAIN_CONTENT_H) / 2))
    ((HEIGHT > MAIN_CONTENT_H)) || fail "window $1 has no menu bar above its content"
}

click_create() {  # click_create <id>
    locate_main "$1"
    click_at $((cx + CREATE_X + BUTTON_W / 2)) $((cy + BUTTON_Y + BUTTON_H / 2))
}

# A main window placed where nothing covers it, and its canvas seen painting.
open_painting_main() {  # open_painting_main <id> <x> <y> <what>
    place_window "$1" "$2" "$3"
    click_create "$1"
    locate_main "$1"
    wait_canvas_change "$cx" "$cy" "$4 after \"create\""
    log "ok: $4 paints"
}

start_xvfb 1600x1200
log "Xvfb ready on $DISPLAY"

# ---- a drawing thread refused ----
start_refusable_app "$work/drawing.log"
first=$(wait_for_first_window)
open_painting_main "$first" 0 0 "the first window"
open_from "$first" "a second main window" ctrl+n
second=$new_window
place_window "$second" 400 0
refuse_every_thread
click_create "$second"
log "clicked \"create\" in the second window with every new thread refused"
wait_exit "a refused drawing thread"
((status == 1)) || fail "the application exited with status $status after a refused drawing thread, expected 1"
grep -q "Unhandled.*Resource temporarily unavailable" "$app_log" ||
    fail "the report does not name the real cause (\"Resource temporarily unavailable\")"
if grep -q "Invalid argument" "$app_log"; then fail "the report names a failed join (\"Invalid argument\")"; fi
if grep -qE "Segmentation|Aborted|terminate called" "$app_log"; then fail "the application crashed"; fi
log "ok: a refused drawing thread ends the process with status 1 and names the real cause"

# ---- Qt's threads refused, then every thread: everything must still paint ----
start_refusable_app "$work/painting.log"
first=$(wait_for_first_window)
grep -qF "$(basename "$preload")" "/proc/$app_pid/maps" || fail "the preload library is not loaded"
refuse_qt_threads
log "Qt's threads refused from now on"
open_painting_main "$first" 0 0 "the first window"
open_from "$first" "a second main window" ctrl+n
second=$new_window
open_painting_main "$second" 400 0 "the second window"
# Each change of the active window repaints the buttons of both windows; merged with a
# canvas frame, that is a paint under a clip of several rectangles, the kind Qt would
# split over its thread pool. Which switch meets a frame is chance, so there are many.
for _ in $(seq 1 $ACTIVATIONS); do
    focus_window "$first"
    focus_window "$second"
done
locate_main "$first"
wait_canvas_change "$cx" "$cy" "the first window after $ACTIVATIONS changes of the active window"
log "ok: both windows paint after $ACTIVATIONS changes of the active window"
refuse_every_thread
log "every new thread refused from now on"

# Windows over each other, away again, hidden and shown: each exposes parts of the others.
place_window "$second" 120 90
place_window "$first" 60 40
place_window "$second" 400 0
place_window "$first" 0 0
timeout 20 xdotool windowunmap --sync "$first" || fail "could not hide the first window"
timeout 20 xdotool windowmap --sync "$first" || fail "could not show the first window"
locate_main "$first"
wait_canvas_change "$cx" "$cy" "the first window after being moved, hidden and shown"
log "ok: the windows paint after being moved, covered, hidden and shown"

open_from "$second" "a third main window" ctrl+n
place_window "$new_window" 800 0
log "ok: a new main window opened"

declare -A SETTINGS_TITLE=([m]="µ Structure Settings" [e]="Evolution Engine Settings"
                           [u]="Quantum Archutecture Settings" [r]="Recursion Aggregator Settings"
                           [t]="String Randomize Settings")
slot=0
for key in m e u r t; do
    open_from "$second" "the ${SETTINGS_TITLE[$key]} window" "ctrl+$key"
    title=$(xdotool getwindowname "$new_window")
    [[ "$title" == "${SETTINGS_TITLE[$key]}" ]] || fail "Ctrl+${key^^} opened \"$title\""
    place_window "$new_window" $((slot * 60)) $((300 + slot * 60))
    slot=$((slot + 1))
    log "ok: \"$title\" opened"
done

# Help > About: Left from the first menu wraps round to Help, whose one item is About.
focus_window "$second"
locate_main "$second"
before=$(app_windows)
click_at $((cx + 10)) "$bar_y"
press Left Down Return
wait_new_window "$before" "the About window"
title=$(xdotool getwindowname "$new_window")
[[ "$title" == "About Quillevard" ]] || fail "Help > About opened \"$title\""
place_window "$new_window" 700 500
log "ok: \"$title\" opened"

locate_main "$second"
wait_canvas_change "$cx" "$cy" "the second window after every window had painted"

focus_window "$second"
press ctrl+q
log "pressed Ctrl+Q"
wait_exit "Ctrl+Q"
((status == 0)) || fail "the application exited with status $status after Ctrl+Q"
check_output_clean "$app_log" "Ctrl+Q with threads refused"
# Qt reports each QThread it could not start; none may have been asked for.
if grep -q "QThread::start" "$app_log"; then fail "Qt asked for a thread: $(grep -m1 "QThread::start" "$app_log")"; fi
log "ok: Ctrl+Q ended the application with status 0"
log "PASS"
