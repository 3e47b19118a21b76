#!/usr/bin/env bash
# Stresses the real quillevard binary under private virtual X servers, from the
# outside, the way a restless user would:
#   walk     a seeded random walk of user actions over main windows, the About window
#            and the five settings windows (buttons, clicks and drags in the content,
#            menus opened and dismissed, random keys, File > New, close boxes), with a
#            check after every action that exactly the expected windows are on screen
#            and a liveness check every 100 actions (a canvas still paints); then
#            Quit (Ctrl+Q) with 16 main windows painting must end the process with
#            status 0;
#   memory   200 cycles of New, "create", perhaps "cease", close box: the resident
#            memory may not grow by more than MEMORY_GROWTH_KIB between cycle 20 and
#            cycle 200 (reported, not bounded, for a sanitizer build);
#   display  the X server is killed under two painting windows: the application must
#            end by itself, with a non-zero status that is not a signal, and report
#            the loss in a few lines (three times).
# Every application run must leave no sanitizer report and no crash in its output.
#
# Usage: run_stress.sh <path-to-quillevard> [actions]
#   actions     number of random actions of the walk (default 1000)
#   STRESS_SEED seeds the walk and the memory cycles (default: a fresh seed, printed);
#               the same seed gives the same sequence of actions
#   STRESS_TRACE=1 prints every action
# Exit status: 0 when every check holds, 1 when one fails, 77 (skipped) when Xvfb or
# xdotool is not installed.
set -euo pipefail

readonly MAX_MAINS=16
readonly MEMORY_CYCLES=200 MEMORY_FIRST=20
readonly MEMORY_GROWTH_KIB=$((8 * 1024))
readonly DISPLAY_LOSS_RUNS=3
readonly LOSS_STDERR_LINES=5

stress_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
session_name=stress
# shellcheck source=../support/x_session.sh
source "$stress_dir/../support/x_session.sh"

if (($# < 1 || $# > 2)) || [[ ! "${2:-1000}" =~ ^[0-9]+$ ]]; then
    echo "usage: $0 <path-to-quillevard> [actions]" >&2
    exit 2
fi
binary=$1
actions=${2:-1000}

require_x_tools
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || fail "python3-xlib is not installed (tools/setup.sh installs it)"
[[ -x "$binary" ]] || fail "no executable at $binary"

if [[ -n "${STRESS_SEED:-}" ]]; then
    [[ "$STRESS_SEED" =~ ^[0-9]+$ ]] || fail "STRESS_SEED must be a number, not '$STRESS_SEED'"
    seed=$STRESS_SEED
else
    seed=$(od -An -N2 -tu2 /dev/urandom | tr -d ' ')
fi
trace=${STRESS_TRACE:-0}
actions_log=/dev/null  # each phase keeps its own

work=$(mktemp -d "${TMPDIR:-/tmp}/quillevard-stress.XXXXXX")
cleanup() {
    local status=$?
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT

# Runs a function in a process of its own, with errexit in force inside it; its exit
# status is left in isolated_status. An interrupt is passed on, so that the process
# ends its own X server and application before this one goes.
child_pid=""
isolated_status=0
run_isolated() {  # run_isolated <function> [args]
    set +e
    (set -e; "$@") &
    child_pid=$!
    wait "$child_pid"
    isolated_status=$?
    child_pid=""
    set -e
}
on_signal() {
    if [[ -n "$child_pid" ]]; then
        kill -TERM "$child_pid" 2>/dev/null || true
        wait "$child_pid" 2>/dev/null || true
    fi
    exit 130
}
trap on_signal INT TERM

ms_now() { echo $(($(date +%s%N) / 1000000)); }

# ---- the model of what is on screen ----
#
# Main windows stand in a grid on the right, the About and settings windows each in a
# place of their own on the left, so nothing covers anything. Windows are told apart
# by the model, never by asking the application what it thinks is open.

readonly SCREEN_SIZE=2560x1600
readonly MAIN_LEFT=1280 MAIN_PITCH_X=256 MAIN_PITCH_Y=320 MAIN_COLUMNS=5
readonly SIDE_PITCH_X=640 SIDE_PITCH_Y=533

# The About window (a) and the settings windows by the letter of their shortcut.
readonly SIDE_KINDS=(m e u r t a)
declare -A TITLE=([m]="µ Structure Settings" [e]="Evolution Engine Settings"
                  [u]="Quantum Archutecture Settings" [r]="Recursion Aggregator Settings"
                  [t]="String Randomize Settings" [a]="About Quillevard")
declare -A SIDE_SLOT=([m]=0 [e]=1 [u]=2 [r]=3 [t]=4 [a]=5)
declare -A CONTENT_H=([m]=400 [e]=400 [u]=400 [r]=400 [t]=400 [a]=403)
# Sliders as "left top width height" in content coordinates.
declare -A SLIDERS=(
    [e]="76 79 161 16;78 136 161 16;78 195 161 16;78 261 161 16;80 324 161 16"
    [u]="97 293 373 16"
    [t]="329 161 31 21;329 185 31 21;329 209 31 21;329 233 31 21;329 257 31 21;329 282 31 21;406 161 31 21;406 185 31 21;406 209 31 21;406 233 31 21;406 257 31 21;406 282 31 21"
)
# The settings windows' OK and Cancel, and the About window's OK, in content coordinates.
readonly OK_X=491 OK_Y=361 CANCEL_X=396 CANCEL_Y=361 SETTINGS_BUTTON_W=80 SETTINGS_BUTTON_H=20
readonly ABOUT_OK_X=493 ABOUT_OK_Y=364

mains=()                 # main window ids, oldest first
declare -A main_slot=()  # main window id -> its grid place
declare -A side=()       # side kind -> id of the open window
main_h=0                 # outer height of a main window (content and menu bar)

# Draws a number below <n> into r. Bash reseeds RANDOM in a subshell, so this is never
# called in one: the walk must follow the seed alone.
r=0
rand() { r=$((RANDOM % $1)); }  # rand <n>

step=0
action=""
note() {  # note <text>: what the walk does now
    action=$*
    printf '%6d %s\n' "$step" "$*" >>"$actions_log"
    ((trace)) && log "#$step $*"
    return 0
}

fail_context() {
    [[ -s "$actions_log" ]] || return 0
    printf 'stress: seed %s; the last actions were:\n' "$seed"
    tail -n 15 "$actions_log" | sed 's/^/    /'
}

known_windows() {
    local id
    for id in "${mains[@]}" "${side[@]}"; do printf '%s\n' "$id"; done | sort
}

# True when <id> is a window of <kind>: "main", or a side kind.
is_kind() {  # is_kind <id> <kind>
    if [[ "$2" == main ]]; then
        local shell
        # A menu may vanish between the search and this question.
        shell=$(xdotool getwindowgeometry --shell "$1" 2>/dev/null) || return 1
        eval "$shell"
        ((WIDTH == MAIN_CONTENT_W && (main_h == 0 || HEIGHT == main_h)))
    else
        [[ "$(timeout 20 xdotool getwindowname "$1" 2>/dev/null)" == "${TITLE[$2]}" ]]
    fi
}

# Waits until exactly the model's windows are visible, plus one new window of <kind>
# when a kind is given; its id is left in new_id. Menus still closing are waited out.
new_id=""
settle() {  # settle [kind]
    local kind=${1:-} expected seen extra missing deadline=$((SECONDS + STEP_LIMIT))
    expected=$(known_windows)
    new_id=""
    while :; do
        seen=$(app_windows)
        missing=$(comm -23 <(printf '%s\n' "$expected" | grep .) <(printf '%s\n' "$seen" | grep .) || true)
        extra=$(comm -13 <(printf '%s\n' "$expected" | grep .) <(printf '%s\n' "$seen" | grep .) || true)
        if [[ -z "$missing" ]]; then
            [[ -z "$kind" && -z "$extra" ]] && return 0
            if [[ -n "$kind" && -n "$extra" && "$extra" != *$'\n'* ]] && is_kind "$extra" "$kind"; then
                new_id=$extra
                return 0
            fi
        fi
        alive || fail "the application ended after: $action"
        if ((SECONDS >= deadline)); then
            local want="no new window" id titled=()
            [[ -n "$kind" ]] && want="one new ${TITLE[$kind]:-main} window"
            for id in $extra; do titled+=("$id \"$(xdotool getwindowname "$id" 2>/dev/null || true)\""); done
            fail "after \"$action\", ${STEP_LIMIT}s on: expected $want; missing: [${missing//$'\n'/ }]," \
                 "unexpected: [${titled[*]}] (model: ${#mains[@]} main windows, side windows: [${!side[*]}])"
        fi
        sleep 0.05
    done
}

# Sets cx, cy (the content's top-left corner on the screen) and bar_y (the middle of
# the menu bar) for a window, read afresh so a window that moved is still hit.
locate() {  # locate <id> <content-height>
    window_geometry "$1"
    cx=$X
    cy=$((Y + HEIGHT - $2))
    bar_y=$((Y + (HEIGHT - $2) / 2))
    ((HEIGHT > $2)) || fail "window $1 is $HEIGHT high: no room for a menu bar above $2 content rows"
}
content_height_of() {  # content_height_of <id>
    local k
    for k in "${!side[@]}"; do [[ "${side[$k]}" == "$1" ]] && { ch=${CONTENT_H[$k]}; return 0; }; done
    ch=$MAIN_CONTENT_H
}

free_main_slot() {
    local slot id used
    for ((slot = 0; ; slot++)); do
        used=0
        for id in "${mains[@]}"; do ((main_slot[$id] == slot)) && { used=1; break; }; done
        ((used)) || { r=$slot; return 0; }
    done
}

adopt_main() {  # adopt_main <id>: places a new main window and enters it in the model
    free_main_slot
    main_slot[$1]=$r
    place_window "$1" $((MAIN_LEFT + (r % MAIN_COLUMNS) * MAIN_PITCH_X)) $((r / MAIN_COLUMNS * MAIN_PITCH_Y))
    mains+=("$1")
}

adopt_side() {  # adopt_side <kind> <id>
    local slot=${SIDE_SLOT[$1]}
    place_window "$2" $((slot % 2 * SIDE_PITCH_X)) $((slot / 2 * SIDE_PITCH_Y))
    side[$1]=$2
}

forget_main() {  # forget_main <id>
    local kept=() id
    for id in "${mains[@]}"; do [[ "$id" == "$1" ]] || kept+=("$id"); done
    mains=("${kept[@]}")
    unset "main_slot[$1]"
}

pick_main() { rand ${#mains[@]}; picked=${mains[$r]}; }

# A window's name in the action log: its place for a main window, else its title.
# X ids are left out, so one seed gives one log.
name_of() {  # name_of <id>
    local k
    if [[ -n "${main_slot[$1]:-}" ]]; then
        name="main window ${main_slot[$1]}"
        return 0
    fi
    for k in "${!side[@]}"; do [[ "${side[$k]}" == "$1" ]] && { name=${TITLE[$k]}; return 0; }; done
    name="window $1"
}
pick_side() {  # sets picked_kind to an open side window's kind, or empty
    local kinds=() k
    for k in "${SIDE_KINDS[@]}"; do [[ -n "${side[$k]:-}" ]] && kinds+=("$k"); done
    picked_kind=""
    ((${#kinds[@]})) || return 0
    rand ${#kinds[@]}
    picked_kind=${kinds[$r]}
}
pick_any() {  # sets picked to any open window, main windows twice as likely
    local all=("${mains[@]}" "${mains[@]}" "${side[@]}")
    rand ${#all[@]}
    picked=${all[$r]}
}

# ---- actions; each ends when the screen agrees with the model again ----

click_button() {  # click_button <main-id> <left>
    locate "$1" $MAIN_CONTENT_H
    click_at $((cx + $2 + BUTTON_W / 2)) $((cy + BUTTON_Y + BUTTON_H / 2))
}

act_create() { pick_main; name_of "$picked"; note "create in $name"; click_button "$picked" $CREATE_X; settle; }
act_cease() { pick_main; name_of "$picked"; note "cease in $name"; click_button "$picked" $CEASE_X; settle; }

act_main_click() {
    pick_main
    rand $MAIN_CONTENT_W; local x=$r
    rand $MAIN_CONTENT_H; local y=$r
    name_of "$picked"
    note "click at ($x,$y) in $name"
    locate "$picked" $MAIN_CONTENT_H
    click_at $((cx + x)) $((cy + y))
    settle
}

act_new() {
    pick_any
    name_of "$picked"
    note "Ctrl+N in $name"
    focus_window "$picked"
    press ctrl+n
    settle main
    adopt_main "$new_id"
}

act_close_main() {
    pick_main
    name_of "$picked"
    note "close box of $name"
    forget_main "$picked"
    close_box "$picked"
    settle
}

act_settings_open() {
    local kinds=(m e u r t)
    rand 5; local k=${kinds[$r]}
    pick_main
    name_of "$picked"
    note "Ctrl+${k^^} (${TITLE[$k]}) in $name"
    focus_window "$picked"
    press "ctrl+$k"
    if [[ -n "${side[$k]:-}" ]]; then
        settle  # shown again: the same window
    else
        settle "$k"
        adopt_side "$k" "$new_id"
    fi
}

# Help > About through the keyboard once the first title is open: Left wraps round to
# Help, whose one item is About. Only the first title's place is assumed (near the
# bar's left end), which holds whatever the font.
act_about_open() {
    pick_main
    name_of "$picked"
    note "Help > About in $name"
    focus_window "$picked"
    locate "$picked" $MAIN_CONTENT_H
    click_at $((cx + 10)) "$bar_y"
    press Left Down Return
    if [[ -n "${side[a]:-}" ]]; then
        settle
    else
        settle a
        adopt_side a "$new_id"
    fi
}

act_about_close() {
    local id=${side[a]}
    rand 2
    unset "side[a]"
    if ((r)); then
        note "About: OK"
        locate "$id" "${CONTENT_H[a]}"
        click_at $((cx + ABOUT_OK_X + SETTINGS_BUTTON_W / 2)) $((cy + ABOUT_OK_Y + SETTINGS_BUTTON_H / 2))
    else
        note "About: close box"
        close_box "$id"
    fi
    settle
}

# True when (x,y) lies on or near a settings window's OK or Cancel.
on_settings_button() {  # on_settings_button <x> <y>
    local left
    (($2 >= OK_Y - 3 && $2 < OK_Y + SETTINGS_BUTTON_H + 3)) || return 1
    for left in $OK_X $CANCEL_X; do
        (($1 >= left - 3 && $1 < left + SETTINGS_BUTTON_W + 3)) && return 0
    done
    return 1
}
random_settings_point() {  # sets px, py to a point of the content off OK and Cancel
    while :; do
        rand 600; px=$r
        rand 400; py=$r
        on_settings_button "$px" "$py" || return 0
    done
}

act_settings_click() {
    local k=$1 id=${side[$1]}
    random_settings_point
    note "click at ($px,$py) in ${TITLE[$k]}"
    locate "$id" "${CONTENT_H[$k]}"
    click_at $((cx + px)) $((cy + py))
    settle
}

act_settings_drag() {
    local k=$1 id=${side[$1]} x1 y1 x2 y2
    if [[ -n "${SLIDERS[$k]:-}" ]]; then
        local list
        IFS=';' read -r -a list <<<"${SLIDERS[$k]}"
        rand ${#list[@]}
        local sl sx sy sw sh
        read -r sx sy sw sh <<<"${list[$r]}"
        sl=$r
        rand "$sw"; x1=$((sx + r))
        y1=$((sy + sh / 2))
        rand $((sw + 40)); x2=$((sx - 20 + r))
        rand 7; y2=$((y1 - 3 + r))
        note "drag slider $((sl + 1)) of ${TITLE[$k]} from ($x1,$y1) to ($x2,$y2)"
    else
        random_settings_point; x1=$px y1=$py
        random_settings_point; x2=$px y2=$py
        note "drag from ($x1,$y1) to ($x2,$y2) in ${TITLE[$k]}"
    fi
    locate "$id" "${CONTENT_H[$k]}"
    drag $((cx + x1)) $((cy + y1)) $((cx + x2)) $((cy + y2))
    settle
}

act_settings_close() {
    local k=$1 id=${side[$1]}
    unset "side[$k]"
    rand 4
    case $r in
        0) note "${TITLE[$k]}: OK"
           locate "$id" "${CONTENT_H[$k]}"
           click_at $((cx + OK_X + SETTINGS_BUTTON_W / 2)) $((cy + OK_Y + SETTINGS_BUTTON_H / 2)) ;;
        1) note "${TITLE[$k]}: Cancel"
           locate "$id" "${CONTENT_H[$k]}"
           click_at $((cx + CANCEL_X + SETTINGS_BUTTON_W / 2)) $((cy + CANCEL_Y + SETTINGS_BUTTON_H / 2)) ;;
        2) note "${TITLE[$k]}: Enter"
           focus_window "$id"
           press Return ;;
        3) note "${TITLE[$k]}: close box"
           close_box "$id" ;;
    esac
    settle
}

# A click somewhere on the menu bar, perhaps a walk through the open menus, then
# Escape twice: the first closes the menu, the second leaves the bar's keyboard mode.
act_menu() {
    pick_any
    local id=$picked
    content_height_of "$id"
    rand 230; local x=$((4 + r))
    rand 4; local n=$r keys=() arrows=(Left Right Up Down) i
    for ((i = 0; i < n; i++)); do rand 4; keys+=("${arrows[$r]}"); done
    name_of "$id"
    note "menu bar at x=$x of $name, keys: ${keys[*]:-none}, Escape Escape"
    focus_window "$id"
    locate "$id" "$ch"
    click_at $((cx + x)) "$bar_y"
    press "${keys[@]}" Escape Escape
    settle
}

# Keys that cannot open or close a window. Space and Return press the focused button
# of a main window (create or cease); elsewhere they could press OK, so they are left out.
readonly LETTERS=(a b c d e f g h i j k l m n o p q r s t u v w x y z)
readonly MOVES=(Left Right Up Down Tab Escape)
act_keys() {
    pick_any
    local id=$picked is_main=0 m keys=() i n
    for m in "${mains[@]}"; do [[ "$m" == "$id" ]] && is_main=1; done
    rand 6; n=$((1 + r))
    for ((i = 0; i < n; i++)); do
        rand $((is_main ? 10 : 8))
        if ((r < 3)); then
            rand ${#LETTERS[@]}; keys+=("${LETTERS[$r]}")
        elif ((r < 8)); then
            rand ${#MOVES[@]}; keys+=("${MOVES[$r]}")
        elif ((r == 8)); then
            keys+=(space)
        else
            keys+=(Return)
        fi
    done
    name_of "$id"
    note "keys in $name: ${keys[*]}"
    focus_window "$id"
    press "${keys[@]}"
    settle
}

# One action, drawn by weight; one that cannot apply falls to a related one.
random_action() {
    local kind
    pick_side; kind=$picked_kind
    rand 100
    if ((r < 14)); then act_create
    elif ((r < 22)); then act_cease
    elif ((r < 27)); then act_main_click
    elif ((r < 34)); then
        if ((${#mains[@]} < MAX_MAINS)); then act_new; else act_close_main; fi
    elif ((r < 39)); then
        if ((${#mains[@]} > 1)); then act_close_main; else act_new; fi
    elif ((r < 42)); then act_about_open
    elif ((r < 44)); then
        if [[ -n "${side[a]:-}" ]]; then act_about_close; else act_about_open; fi
    elif ((r < 52)); then act_settings_open
    elif ((r < 82)); then
        # Work in an open settings window, or open one.
        if [[ -z "$kind" || "$kind" == a ]]; then
            act_settings_open
        elif ((r < 62)); then act_settings_click "$kind"
        elif ((r < 72)); then act_settings_drag "$kind"
        else act_settings_close "$kind"
        fi
    elif ((r < 88)); then act_menu
    else act_keys
    fi
}

# Every main window that is told cease then create is painting afterwards.
start_drawing() {  # start_drawing <main-id>
    click_button "$1" $CEASE_X
    click_button "$1" $CREATE_X
}

liveness_check() {
    pick_main
    name_of "$picked"
    note "liveness: cease, create and a changing canvas in $name"
    start_drawing "$picked"
    locate "$picked" $MAIN_CONTENT_H
    wait_canvas_change "$cx" "$cy" "liveness check in window $picked after action $step"
    settle
}

phase_walk() {
    RANDOM=$seed
    actions_log=$work/walk.actions
    trap stop_session EXIT
    trap 'exit 130' INT TERM
    start_xvfb "$SCREEN_SIZE"
    start_app "$work/walk.log"
    local first
    first=$(wait_for_first_window)
    window_geometry "$first"
    ((WIDTH == MAIN_CONTENT_W && HEIGHT > MAIN_CONTENT_H)) || fail "the first window is ${WIDTH}x${HEIGHT}, not a main window"
    main_h=$HEIGHT
    adopt_main "$first"
    log "walk: $actions actions, seed $seed (STRESS_SEED=$seed repeats them), on $DISPLAY, pid $app_pid"

    local started now
    started=$(ms_now)
    for ((step = 1; step <= actions; step++)); do
        random_action
        if ((step % 100 == 0)); then
            liveness_check
            now=$(ms_now)
            log "walk: $step actions in $(((now - started) / 1000))s; ${#mains[@]} main windows, side windows: [${!side[*]}]"
        fi
    done
    ((actions % 100 == 0)) || liveness_check
    log "walk: done in $((($(ms_now) - started) / 1000))s; action sequence digest $(cut -c8- "$actions_log" | md5sum | cut -c1-12)"

    # ---- Quit under load: sixteen main windows painting ----
    step=$((actions + 1))
    while ((${#mains[@]} < MAX_MAINS)); do act_new; done
    local id
    note "create in all ${#mains[@]} main windows"
    for id in "${mains[@]}"; do start_drawing "$id"; done
    for id in "${mains[@]}"; do
        locate "$id" $MAIN_CONTENT_H
        wait_canvas_change "$cx" "$cy" "painting in main window $id before Quit"
    done
    log "ok: all ${#mains[@]} main windows paint"
    pick_main
    name_of "$picked"
    note "Ctrl+Q in $name"
    focus_window "$picked"
    local t0 elapsed status=0
    t0=$(ms_now)
    press ctrl+q
    wait_exit "Ctrl+Q with ${#mains[@]} windows painting"
    elapsed=$(($(ms_now) - t0))
    ((status == 0)) || fail "the application exited with status $status after Ctrl+Q under load"
    check_output_clean "$work/walk.log" "walk"
    log "ok: Ctrl+Q with ${#mains[@]} windows painting ended the process with status 0 in ${elapsed} ms"
}

phase_memory() {
    RANDOM=$((seed + 1))
    actions_log=$work/memory.actions
    trap stop_session EXIT
    trap 'exit 130' INT TERM
    start_xvfb 1024x768
    start_app "$work/memory.log"
    local base other
    base=$(wait_for_first_window)
    place_window "$base" 0 0
    mains=("$base")
    main_h=0
    local first_kib=0 last_kib=0 cycle ceased=0 started
    started=$(ms_now)
    for ((cycle = 1; cycle <= MEMORY_CYCLES; cycle++)); do
        step=$cycle
        rand 2
        local cease=$r what="Ctrl+N, create, "
        ((cease)) && what+="cease, "
        note "memory cycle $cycle: ${what}close box"
        focus_window "$base"
        press ctrl+n
        settle main
        other=$new_id
        place_window "$other" 300 0
        mains+=("$other")
        click_button "$other" $CREATE_X
        if ((cease)); then
            ceased=$((ceased + 1))
            click_button "$other" $CEASE_X
        fi
        mains=("$base")
        close_box "$other"
        settle
        if ((cycle == MEMORY_FIRST)); then first_kib=$(resident_kib); fi
        if ((cycle == MEMORY_CYCLES)); then last_kib=$(resident_kib); fi
    done
    local growth=$((last_kib - first_kib))
    log "memory: $MEMORY_CYCLES cycles ($ceased ceased before closing) in $((($(ms_now) - started) / 1000))s;" \
        "VmRSS ${first_kib} KiB after cycle $MEMORY_FIRST, ${last_kib} KiB after cycle $MEMORY_CYCLES (growth ${growth} KiB)"
    if sanitizer_build; then
        log "memory: a sanitizer build: its resident memory is the sanitizer's, so the growth is not bounded"
    else
        ((growth <= MEMORY_GROWTH_KIB)) ||
            fail "resident memory grew by ${growth} KiB over cycles $MEMORY_FIRST to $MEMORY_CYCLES (bound ${MEMORY_GROWTH_KIB} KiB)"
        log "ok: resident memory grew by at most ${MEMORY_GROWTH_KIB} KiB"
    fi
    focus_window "$base"
    press ctrl+q
    local status=0
    wait_exit "Ctrl+Q"
    ((status == 0)) || fail "the application exited with status $status after Ctrl+Q"
    check_output_clean "$work/memory.log" "memory cycles"
}

# The X server vanishes under two painting windows.
display_loss_run() {  # display_loss_run <run>
    local run=$1 err="$work/loss$1.err" first second
    trap stop_session EXIT
    trap 'exit 130' INT TERM
    # LeakSanitizer's table of the suppressions it used is not the application's output.
    export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0"
    start_xvfb 1024x768
    start_app "$work/loss$run.out" "$err"
    first=$(wait_for_first_window)
    place_window "$first" 0 0
    mains=("$first")
    main_h=0
    focus_window "$first"
    press ctrl+n
    step=0
    action="Ctrl+N"
    settle main
    second=$new_id
    place_window "$second" 300 0
    mains+=("$second")
    click_button "$first" $CREATE_X
    click_button "$second" $CREATE_X
    locate "$second" $MAIN_CONTENT_H
    wait_canvas_change "$cx" "$cy" "painting before the display goes"

    local t0 elapsed status=0 lines
    t0=$(ms_now)
    kill -KILL "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
    remove_stale_display "$display" "$xvfb_pid"
    xvfb_pid=""
    wait_exit "its X server was killed (display loss $run)"
    elapsed=$(($(ms_now) - t0))
    lines=$(grep -c . "$err" || true)
    log "display loss $run: exit status $status after ${elapsed} ms; standard error ($lines lines):"
    sed 's/^/    /' "$err" | head -n 10
    app_log=$err
    ((status < 128)) || fail "display loss $run: the application died of signal $((status - 128))"
    check_output_clean "$err" "display loss $run"
    ((status != 0)) || fail "display loss $run: the application reported success (status 0) although its display was lost"
    ((lines <= LOSS_STDERR_LINES)) || fail "display loss $run: $lines lines on standard error, expected at most $LOSS_STDERR_LINES"
    log "ok: display loss $run: the application ended by itself with status $status"
}

phase_display_loss() {
    local run failed=0
    trap on_signal INT TERM
    for ((run = 1; run <= DISPLAY_LOSS_RUNS; run++)); do
        run_isolated display_loss_run "$run"
        ((isolated_status == 0)) || failed=1
    done
    return $failed
}

# Each phase runs in a process of its own, ends its own X server and application, and
# is reported even when an earlier one failed.
ulimit -c 0
overall_start=$(ms_now)
log "seed $seed"
results=()
for phase in walk memory display_loss; do
    phase_start=$(ms_now)
    run_isolated "phase_$phase"
    status=$isolated_status
    seconds=$((($(ms_now) - phase_start) / 1000))
    if ((status == 0)); then results+=("$phase: pass (${seconds}s)"); else results+=("$phase: FAIL (${seconds}s)"); fi
done
log "seed $seed; total $((($(ms_now) - overall_start) / 1000))s"
for line in "${results[@]}"; do log "$line"; done
if printf '%s\n' "${results[@]}" | grep -q FAIL; then
    log "FAIL (STRESS_SEED=$seed $0 $binary $actions repeats the walk)"
    exit 1
fi
log "PASS"
