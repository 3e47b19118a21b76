# shellcheck shell=bash
# Dealings with X for the scripts that drive the real binary (the black-box test and
# the stress run): a private virtual X server, the application under it, and the
# questions asked of both. The caller sets `binary` and `work` (a scratch folder of
# its own; begin_session makes one) before it starts anything, and `session_name` for
# its messages.

# Generous limits: they only keep a broken build from hanging the run, and a
# sanitizer build is several times slower than a plain one.
readonly START_LIMIT=60   # seconds for the X server and the first window
readonly STEP_LIMIT=30    # seconds for one action's windows to appear or go
readonly CHANGE_LIMIT=30  # seconds for a drawing canvas to change
readonly EXIT_LIMIT=60    # seconds for the process to end after Quit or display loss

# Main window layout in content coordinates (the menu bar sits above the content).
readonly MAIN_CONTENT_W=256 MAIN_CONTENT_H=256
readonly CANVAS_X=57 CANVAS_Y=16 CANVAS_W=144 CANVAS_H=144
readonly CEASE_X=50 CREATE_X=138 BUTTON_Y=183 BUTTON_W=74 BUTTON_H=24

# Reports of the sanitizers (ThreadSanitizer prints nothing else: warnings, its own
# crash reports and their summary all name it), of an exception that reached the top,
# and of a crash.
readonly FAULT_PATTERN='ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error:|ThreadSanitizer|Unhandled|Segmentation|Aborted'

# Exits with 77 (skipped) when the virtual X server or xdotool is missing, and fails
# without ImageMagick's import, which every check of the screen needs.
require_x_tools() {
    local missing=()
    command -v Xvfb >/dev/null 2>&1 || missing+=(Xvfb)
    command -v xdotool >/dev/null 2>&1 || missing+=(xdotool)
    if ((${#missing[@]})); then
        log "SKIP: ${missing[*]} not installed (tools/setup.sh installs them)"
        exit 77
    fi
    command -v import >/dev/null 2>&1 || fail "ImageMagick's import is not installed (tools/setup.sh installs it)"
}

xvfb_pid=""
app_pid=""
app_log=""
display=""

log() { printf '%s: %s\n' "${session_name:-session}" "$*"; }

# The phase's recent history, shown when it fails: set by the caller.
fail_context() { :; }

fail() {
    printf '%s: FAIL: %s\n' "${session_name:-session}" "$*" >&2
    fail_context >&2 || true
    if [[ -n "$app_log" && -s "$app_log" ]]; then
        printf '%s: application output (last 40 lines):\n' "${session_name:-session}" >&2
        tail -n 40 "$app_log" | sed 's/^/    /' >&2
    fi
    exit 1
}

# Ends one process this script started, by its id: politely, then for good.
stop_process() {  # stop_process <pid>
    local pid=$1
    [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 1 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# Xvfb killed outright leaves its lock and socket behind; remove them when they are ours.
remove_stale_display() {  # remove_stale_display <display> <xvfb-pid>
    local lock="/tmp/.X$1-lock"
    [[ -n "$1" && -f "$lock" ]] || return 0
    [[ "$(tr -d ' \n' <"$lock" 2>/dev/null)" == "$2" ]] || return 0
    kill -0 "$2" 2>/dev/null && return 0
    rm -f "$lock" "/tmp/.X11-unix/X$1"
}

stop_session() {
    stop_process "$app_pid"
    app_pid=""
    stop_process "$xvfb_pid"
    remove_stale_display "$display" "$xvfb_pid"
    xvfb_pid=""
}

# A scratch folder in `work`, and traps that end the processes this script started
# (by their ids) and remove the folder however the script ends.
begin_session() {  # begin_session <name>
    work=$(mktemp -d "${TMPDIR:-/tmp}/quillevard-$1.XXXXXX")
    trap end_session EXIT
    trap 'exit 130' INT TERM
}
end_session() {
    local status=$?
    stop_session
    rm -rf "$work"
    exit "$status"
}

# The X server picks a free display itself and reports it when it is ready.
start_xvfb() {  # start_xvfb <width>x<height>
    local fd_file="$work/display.$BASHPID"
    rm -f "$fd_file"
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$fd_file" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    display=""
    for _ in $(seq 1 $((START_LIMIT * 10))); do
        if [[ -s "$fd_file" ]] && display=$(head -n1 "$fd_file") && [[ "$display" =~ ^[0-9]+$ ]]; then break; fi
        display=""
        kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb ended before it was ready"; }
        sleep 0.1
    done
    [[ -n "$display" ]] || fail "Xvfb did not report a display within ${START_LIMIT}s"
    export DISPLAY=":$display"
}

# Starts the application on the current display; its standard error goes to
# <err-log> when given, else with its standard output to <log>.
start_app() {  # start_app <log> [<err-log>]
    app_log=$1
    mkdir -p "$work/runtime"
    chmod 700 "$work/runtime"
    if (($# > 1)); then
        env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" "$binary" >"$1" 2>"$2" &
    else
        env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" "$binary" >"$1" 2>&1 &
    fi
    app_pid=$!
}

alive() { kill -0 "$app_pid" 2>/dev/null; }

# Waits for the application to end and sets status to its exit status.
wait_exit() {  # wait_exit <what it ends after>
    for _ in $(seq 1 $((EXIT_LIMIT * 20))); do alive || break; sleep 0.05; done
    alive && fail "the application still runs ${EXIT_LIMIT}s after $1"
    status=0
    wait "$app_pid" || status=$?
    app_pid=""
}

# Visible top-level windows of the application, one id a line, in id order.
app_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | sort || true; }

wait_for_first_window() {
    local first
    for _ in $(seq 1 $((START_LIMIT * 10))); do
        first=$(app_windows | head -n1)
        [[ -n "$first" ]] && { printf '%s\n' "$first"; return 0; }
        alive || fail "the application ended before its first window appeared"
        sleep 0.1
    done
    fail "no window appeared within ${START_LIMIT}s"
}

# Sets X, Y, WIDTH and HEIGHT to the window's place on the screen.
window_geometry() {  # window_geometry <id>
    local shell
    shell=$(timeout 20 xdotool getwindowgeometry --shell "$1") || fail "no geometry for window $1"
    eval "$shell"
}

# Without a window manager every window opens at the same place; this spreads them.
place_window() {  # place_window <id> <x> <y>
    timeout 20 xdotool windowmove "$1" "$2" "$3" || fail "could not move window $1"
    for _ in $(seq 1 $((STEP_LIMIT * 20))); do
        window_geometry "$1"
        ((X == $2 && Y == $3)) && return 0
        sleep 0.05
    done
    fail "window $1 stayed at ($X,$Y) instead of moving to ($2,$3)"
}

focus_window() {  # focus_window <id>
    timeout 20 xdotool windowfocus --sync "$1" || fail "could not give window $1 the input focus"
}

# Presses keys in the focused window (or the menu that holds the keyboard).
press() { timeout 20 xdotool key --clearmodifiers "$@" || fail "xdotool could not press $*"; }

# The server takes the fake pointer's moves and buttons in order, so a click lands where
# the pointer was sent without waiting for it (`--sync` waits long when the pointer
# is there already).
click_at() {  # click_at <x> <y>
    timeout 20 xdotool mousemove "$1" "$2" click 1 || fail "xdotool could not click at ($1,$2)"
}

drag() {  # drag <x1> <y1> <x2> <y2>
    local mx=$((($1 + $3) / 2)) my=$((($2 + $4) / 2))
    timeout 20 xdotool mousemove "$1" "$2" mousedown 1 mousemove "$mx" "$my" \
        mousemove "$3" "$4" mouseup 1 || fail "xdotool could not drag from ($1,$2) to ($3,$4)"
}

# The close box: the WM_DELETE_WINDOW message a window manager sends for it.
close_box() {  # close_box <id>
    timeout 20 "$(dirname "${BASH_SOURCE[0]}")/../stress/close_box.py" "$1" ||
        fail "could not send the close message to window $1"
}

# The canvas's pixels as raw RGB; the window must be unobscured.
snap_canvas() {  # snap_canvas <content-x> <content-y> <file>
    import -display "$DISPLAY" -window root \
        -crop "${CANVAS_W}x${CANVAS_H}+$(($1 + CANVAS_X))+$(($2 + CANVAS_Y))" +repage -depth 8 "rgb:$3" \
        || fail "could not take a screenshot of the canvas"
}

# Polls until the canvas differs from its first snapshot.
wait_canvas_change() {  # wait_canvas_change <content-x> <content-y> <what>
    local before="$work/canvas.before" after="$work/canvas.after"
    snap_canvas "$1" "$2" "$before"
    for _ in $(seq 1 $((CHANGE_LIMIT * 5))); do
        sleep 0.2
        snap_canvas "$1" "$2" "$after"
        cmp -s "$before" "$after" || return 0
        alive || fail "the application ended while waiting for $3"
    done
    fail "$3: the canvas did not change within ${CHANGE_LIMIT}s"
}

resident_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$app_pid/status"; }

# A sanitizer build: its resident memory measures the sanitizer, not the application.
sanitizer_build() { grep -qaE '__asan_init|__tsan_init' "$binary"; }

# Fails when the application's output holds a sanitizer report or a crash.
check_output_clean() {  # check_output_clean <file> <what>
    local hits
    hits=$(grep -E "$FAULT_PATTERN" "$1" | head -n 5 || true)
    [[ -z "$hits" ]] || fail "$2: the application reported a fault: $hits"
}
