#!/usr/bin/env bash
# The program as a screen reader finds it: started on a virtual display with
# the accessibility bus of a D-Bus session of its own, driven by real key
# presses through the title window, a message dialog, the account index,
# the register and the entry window, each window's accessibility tree walked
# from outside (walk.py). Fails on a control a user can reach that has no
# name, on a grid whose rows and cells cannot be read, and on a message
# dialog that is no alert carrying its text. Skipped (77) only where the
# bus cannot start.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)

# First run: into a D-Bus session of our own, where the accessibility bus
# is started on demand.
if [ -z "${TALLYO_A11Y_SESSION:-}" ]; then
    for tool in dbus-run-session dbus-send; do
        command -v $tool >/dev/null || { echo "$tool is missing: tools/install-deps.sh installs dbus"; echo "0 passed, 1 failed"; exit 1; }
    done
    [ -x /usr/libexec/at-spi-bus-launcher ] || {
        echo "at-spi-bus-launcher is missing: tools/install-deps.sh installs at-spi2-core"; echo "0 passed, 1 failed"; exit 1; }
    /usr/bin/python3 -c "import pyatspi" 2>/dev/null || {
        echo "pyatspi is missing: tools/install-deps.sh installs python3-pyatspi"; echo "0 passed, 1 failed"; exit 1; }
    TALLYO_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
    echo "skipped: no D-Bus session could start"
    exit 77
fi

. "$HERE/../realinput/lib.sh" "$1"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
unset NO_AT_BRIDGE

# The accessibility bus answers, or there is nothing to test.
if ! dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >"$WORK/bus.log" 2>&1; then
    echo "skipped: the accessibility bus did not start:"; cat "$WORK/bus.log"
    exit $SKIP
fi

# Walks a window's tree; extra arguments go to walk.py.
walk() {
    local output
    output=$(timeout 120 /usr/bin/python3 "$HERE/walk.py" "$@" 2>&1)
    local status=$?
    printf '%s\n' "$output" | sed 's/^/  /'
    [ $status -eq 0 ] || fail "the accessibility tree of '$1' (walk.py exited $status)"
}

start_desktop
start_tallyo

step "the title window"
wait_for "Tallyo - Title Window" 30
walk "Tallyo - Title Window"

step "a message dialog: an alert that carries its text"
press_until "Tallyo - Title Window" " Tallyo - New User Overview" Return
walk " Tallyo - New User Overview" --alert "Are you a new user?"

step "a first account, by keyboard"
press_until " Tallyo - New User Overview" "No accounts on file" Return
press_until "No accounts on file" "New Account name" Return
type_text "Household"
press_until "New Account name" "Access protection" Return
press_until "Access protection" "Protection Options" Escape
press_until "Protection Options" "Make Notes..." Return
press_until "Make Notes..." "Editing your Notes" Escape
press_until "Editing your Notes" "Tallyo - Account Index" Return

step "the account index: its grid shows the account"
walk "Tallyo - Account Index" --cell "Household"

step "the register: its grid shows the beginning balance"
press_until "Tallyo - Account Index" "New Account" Return
press_until "New Account" "Please enter" Return
type_text "100"
press_until "Please enter" "Tallyo" Return
walk "Tallyo" --cell "Beginning Balance"

step "the entry window"
press_until "Tallyo" "Tallyo - Adding a new transaction" Insert
keys Escape
walk "Tallyo - Adding a new transaction"
keys Escape
press_until "Tallyo - Adding a new transaction" "Tallyo" Escape

step "the question before quitting"
press_until "Tallyo" "Tallyo - Account Index" Escape
press_until "Tallyo - Account Index" "Confirm" Escape
walk "Confirm" --alert "?"
keys Return
wait_exit
finish
