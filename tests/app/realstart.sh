#!/usr/bin/env bash
# Starts the real program on a virtual X display and follows it from the
# title window to the account index, by the windows' titles.
set -u
tallyo=$1
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

wait_for() {  # a window title, seconds
    for _ in $(seq $(( $2 * 10 ))); do
        shown "$1" && return 0
        sleep 0.1
    done
    echo "no window titled '$1'"; return 1
}

# Presses Enter in a window until the next one shows (a key sent before the
# window takes input is lost, so it is sent again).
enter_until() {  # from title, to title
    for _ in $(seq 30); do
        xdotool search --onlyvisible --name "^$1\$" windowfocus --sync key Return 2>/dev/null
        for _ in $(seq 10); do
            shown "$2" && return 0
            sleep 0.1
        done
    done
    echo "no window titled '$2' after Enter in '$1'"; return 1
}

"$tallyo" --data-dir "$work/data" &
pid=$!
wait_for "Tallyo - Title Window" 30 || exit 1
# A first start offers the new-user overview on the way to the index.
enter_until "Tallyo - Title Window" " Tallyo - New User Overview" || exit 1
enter_until " Tallyo - New User Overview" "Tallyo - Account Index" || exit 1
echo "1 passed, 0 failed"
