# Drives the real program from outside, as a person would: a virtual X
# display with a window manager, real key presses and clicks through xdotool,
# and the outcome read back from window titles and `tallyo export`.
#
# A script sources this file with the program as its first argument, then
# calls start_desktop and start_tallyo, and names each step with `step` so a
# failure says where it happened and what was on the screen.
#
#   . "$(dirname "$0")/lib.sh" "$1"
#   start_desktop; start_tallyo
#   step "first start"; wait_for "Tallyo - Title Window"
#
# Exit status 77 means the virtual display could not start (CTest counts it
# as skipped); any failed step exits 1.

set -u
TALLYO=${1:?usage: script.sh /path/to/tallyo}
SKIP=77
CURRENT_STEP="setting up"
WORK=$(mktemp -d)
DATA=$WORK/data
PIDS=()

export HOME=$WORK XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/share \
       XDG_RUNTIME_DIR=$WORK/run XDG_DOCUMENTS_DIR=$WORK/Documents
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DOCUMENTS_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM SESSION_MANAGER
export LC_ALL=C.UTF-8

cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${PIDS[@]}"; do wait "$pid" 2>/dev/null; done
    rm -rf "$WORK"
}
trap cleanup EXIT

# The titles of the windows on the screen, one a line, for failure reports.
visible_titles() {
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        printf "  '%s'\n" "$(xdotool getwindowname "$id" 2>/dev/null)"
    done
}

fail() {
    echo "FAILED at step '$CURRENT_STEP': $*"
    echo "windows on the screen:"
    visible_titles
    if [ -s "$WORK/tallyo.log" ]; then
        echo "the program printed:"; tail -n 20 "$WORK/tallyo.log" | sed 's/^/  /'
    fi
    kill -0 "${TALLYO_PID:-0}" 2>/dev/null || echo "the program is not running"
    if [ -n "${SCREENSHOT_DIR:-}" ] && command -v import >/dev/null 2>&1; then
        import -window root "$SCREENSHOT_DIR/failed.png" 2>/dev/null
    fi
    echo "0 passed, 1 failed"
    exit 1
}

STEPS_PASSED=0
step() {
    [ "$CURRENT_STEP" != "setting up" ] && STEPS_PASSED=$((STEPS_PASSED + 1))
    CURRENT_STEP=$1
    echo "step: $1"
}

# Ends a script that reached its end.
finish() {
    STEPS_PASSED=$((STEPS_PASSED + 1))
    echo "$STEPS_PASSED steps passed"
    echo "1 passed, 0 failed"
    exit 0
}

# A display of our own, and openbox on it: windows get activated and focused
# as on a desktop, which the tests depend on.
start_desktop() {
    command -v Xvfb >/dev/null && command -v xdotool >/dev/null || {
        echo "skipped: Xvfb or xdotool is not installed"; exit $SKIP; }
    command -v openbox >/dev/null || { echo "skipped: openbox is not installed"; exit $SKIP; }
    local fifo=$WORK/displayfd number="" try
    mkfifo "$fifo"
    # A busy machine can be slow to start a display: three tries.
    for try in 1 2 3; do
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >"$WORK/xvfb.log" 2>&1 &
        PIDS+=($!)
        read -r -t 30 number <"$fifo" && [ -n "$number" ] && break
        kill "${PIDS[-1]}" 2>/dev/null
        number=""
    done
    if [ -z "$number" ]; then
        echo "skipped: the virtual display did not start:"; cat "$WORK/xvfb.log"; exit $SKIP
    fi
    export DISPLAY=:$number
    # The display answers before the window manager is started on it.
    for _ in $(seq 100); do
        xprop -root >/dev/null 2>&1 && break
        sleep 0.1
    done
    local attempt wm
    for attempt in 1 2 3; do
        openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
        wm=$!
        PIDS+=($wm)
        # openbox is ready when it has announced itself on the root window.
        for _ in $(seq 300); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
            kill -0 "$wm" 2>/dev/null || break
            sleep 0.1
        done
        kill "$wm" 2>/dev/null
    done
    echo "skipped: the window manager did not start:"; cat "$WORK/openbox.log"; exit $SKIP
}

# Starts the program on the data folder (extra arguments pass through).
start_tallyo() {
    "$TALLYO" --data-dir "$DATA" "$@" >"$WORK/tallyo.log" 2>&1 &
    TALLYO_PID=$!
    PIDS+=($TALLYO_PID)
}

# True while a window of exactly this title is shown.
shown() {
    xdotool search --onlyvisible --name "^$(regex_quote "$1")\$" >/dev/null 2>&1
}

regex_quote() {
    printf '%s' "$1" | sed 's/[][\.*^$?+(){}|]/\\&/g'
}

window_id() {
    xdotool search --onlyvisible --name "^$(regex_quote "$1")\$" 2>/dev/null | tail -n 1
}

# Waits for a window by its title (default 20 seconds), then gives it the
# focus through the window manager.
wait_for() {
    local title=$1 seconds=${2:-20}
    for _ in $(seq $((seconds * 10))); do
        if shown "$title"; then
            focus "$title"
            return 0
        fi
        sleep 0.1
    done
    fail "no window titled '$title' after ${seconds}s"
}

# Waits until no window of this title is shown, and a moment more for the
# window below to finish what the closing started (a list reassembled).
wait_gone() {
    local title=$1 seconds=${2:-20}
    for _ in $(seq $((seconds * 10))); do
        shown "$title" || { sleep 0.5; return 0; }
        sleep 0.1
    done
    fail "window '$title' still shown after ${seconds}s"
}

# After a window the program opened has closed: the window that opened it
# (or the next one the program opened) must be the active window again by
# itself, with the keyboard focus, without any help from here. The next key
# a script sends with `keys` then shows that the focus is on the right
# control. `back_to OPENER [CLOSED]` waits for CLOSED to go first.
back_to() {
    local title=$1 closed=${2:-} id active focused
    [ -n "$closed" ] && wait_gone "$closed"
    for _ in $(seq 50); do
        id=$(window_id "$title")
        active=$(xdotool getactivewindow 2>/dev/null)
        focused=$(xdotool getwindowfocus 2>/dev/null)
        if [ -n "$id" ] && [ "$active" = "$id" ] && [ "$focused" = "$id" ]; then
            sleep 0.2
            return 0
        fi
        sleep 0.1
    done
    fail "after '${closed:-a window}' closed, '$title' is not active with the focus (active: '$(active_title)', focus on window ${focused:-none})"
}

# The title of the window that has the keyboard focus.
active_title() {
    xdotool getactivewindow getwindowname 2>/dev/null
}

focus() {
    local id
    id=$(window_id "$1")
    [ -n "$id" ] || fail "no window titled '$1' to focus"
    for _ in $(seq 50); do
        xdotool windowactivate --sync "$id" >/dev/null 2>&1
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$id" ] && { sleep 0.2; return 0; }
        sleep 0.1
    done
    fail "window '$1' never took the focus"
}

# Real key presses into the focused window: `keys Insert Escape Tab`.
keys() {
    xdotool key --delay 60 "$@"
    sleep 0.2
}

# Typed text, one key at a time.
type_text() {
    xdotool type --delay 40 -- "$1"
    sleep 0.2
}

# A click at a point of a window, in pixels from its top left corner:
# `click "Tallyo - Account Index" 120 200 [button] [repeat]`.
click() {
    local id
    id=$(window_id "$1")
    [ -n "$id" ] || fail "no window titled '$1' to click"
    xdotool mousemove --window "$id" --sync "$2" "$3" click --repeat "${5:-1}" --delay 120 "${4:-1}"
    sleep 0.3
}

double_click() { click "$1" "$2" "$3" 1 2; }

# Presses keys in one window until another shows: `press_until FROM TO keys...`.
# A key sent while the window is still being set up can be lost, so the keys
# go again while FROM is still shown and TO is not; once FROM has gone they
# are never sent again (they would land in the next window).
press_until() {
    local from=$1 to=$2 id
    shift 2
    for _ in $(seq 10); do
        id=$(window_id "$from")
        if [ -n "$id" ]; then
            xdotool windowactivate --sync "$id" key --delay 60 "$@" >/dev/null 2>&1
        fi
        for _ in $(seq 30); do
            shown "$to" && { wait_for "$to"; return 0; }
            sleep 0.1
        done
        shown "$from" || { wait_for "$to"; return 0; }
    done
    fail "no window titled '$to' after pressing $* in '$from'"
}

# The data as the program wrote them (line ends as LF).
export_accounts() {
    "$TALLYO" export accounts --data-dir "$DATA" | tr -d '\r'
}
export_register() {
    "$TALLYO" export register --account "$1" --data-dir "$DATA" | tr -d '\r'
}

# Fails unless the text holds the line (exactly, as a whole line).
expect_line() {
    local text=$1 line=$2
    printf '%s\n' "$text" | grep -Fxq -- "$line" || fail "expected the line
  $line
in
$(printf '%s\n' "$text" | sed 's/^/  /')"
}

# Fails unless the text holds the fragment somewhere.
expect_text() {
    local text=$1 fragment=$2
    printf '%s\n' "$text" | grep -Fq -- "$fragment" || fail "expected '$fragment' in
$(printf '%s\n' "$text" | sed 's/^/  /')"
}

expect_no_text() {
    local text=$1 fragment=$2
    printf '%s\n' "$text" | grep -Fq -- "$fragment" && fail "did not expect '$fragment' in
$(printf '%s\n' "$text" | sed 's/^/  /')"
    return 0
}

# Waits until the program has ended by itself.
wait_exit() {
    for _ in $(seq 100); do
        kill -0 "$TALLYO_PID" 2>/dev/null || return 0
        sleep 0.1
    done
    fail "the program is still running"
}

# From a first start to the register of a new account with its beginning
# balance, by keyboard alone: the title window, the overview, the offer to
# add an account, its name, no protection, no notes, then the register,
# which asks for the beginning balance.
first_start_to_new_register() {
    local name=$1 balance=$2
    step "first start to the account index"
    wait_for "Tallyo - Title Window" 30
    press_until "Tallyo - Title Window" " Tallyo - New User Overview" Return
    press_until " Tallyo - New User Overview" "No accounts on file" Return

    step "adding the account '$name'"
    press_until "No accounts on file" "New Account name" Return
    type_text "$name"
    press_until "New Account name" "Access protection" Return
    press_until "Access protection" "Protection Options" Escape
    press_until "Protection Options" "Make Notes..." Return
    press_until "Make Notes..." "Editing your Notes" Escape
    press_until "Editing your Notes" "Tallyo - Account Index" Return
    expect_text "$(export_accounts)" "$name,"

    step "opening the new account asks for its beginning balance"
    press_until "Tallyo - Account Index" "New Account" Return
    press_until "New Account" "Please enter" Return
    type_text "$balance"
    press_until "Please enter" "Tallyo" Return
    expect_line "$(export_register "$name")" ",*,Start,Beginning Balance,,$balance.00,$balance.00,,1"
}

# A picture of the screen, when SCREENSHOT_DIR names a folder (for looking
# at a flow while writing it).
shot() {
    [ -n "${SCREENSHOT_DIR:-}" ] && command -v import >/dev/null 2>&1 && import -window root "$SCREENSHOT_DIR/$1.png"
    return 0
}

visible_count() {
    xdotool search --onlyvisible --name '.*' 2>/dev/null | wc -l
}

# A click that opens a pop-up menu, waiting until the menu shows. A click
# that reached a window still busy after its last action is given again.
click_menu() {
    local before
    before=$(visible_count)
    for _ in 1 2 3 4 5; do
        click "$1" "$2" "$3"
        for _ in $(seq 20); do
            [ "$(visible_count)" -gt "$before" ] && { sleep 0.2; return 0; }
            sleep 0.1
        done
    done
    fail "no menu opened by a click at $2,$3 in '$1'"
}

# Clicks (or double-clicks, with a fifth argument 2) at a point until a
# window of the given title shows: `click_until WINDOW x y TITLE [2]`. A
# click that reached a window still busy after its last action is given
# again, but never once the next window is there.
click_until() {
    for _ in 1 2 3 4 5; do
        shown "$4" && break
        click "$1" "$2" "$3" 1 "${5:-1}"
        for _ in $(seq 20); do
            shown "$4" && break 2
            sleep 0.1
        done
    done
    wait_for "$4"
}
