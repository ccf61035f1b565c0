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

wait_for() {  # a window title, seconds
    for _ in $(seq $(( $2 * 10 ))); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "no window titled '$1'"; return 1
}

"$tallyo" --data-dir "$work/data" &
pid=$!
wait_for "Tallyo - Title Window" 20 || exit 1
xdotool search --onlyvisible --name "^Tallyo - Title Window\$" windowfocus --sync key Return
# A first start offers the new-user overview; go on past it.
wait_for " Tallyo - New User Overview" 10 || exit 1
xdotool search --onlyvisible --name "^ Tallyo - New User Overview\$" windowfocus --sync key Return
wait_for "Tallyo - Account Index" 10 || exit 1
echo "1 passed, 0 failed"
