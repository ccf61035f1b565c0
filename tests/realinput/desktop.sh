#!/usr/bin/env bash
# When the desktop cannot open the manual, a web page or a mail, the program
# says so in its message dialog. First with no xdg-open on the PATH at all
# (F1 in the account index), then with an xdg-open that finds no program
# for anything (it ends with status 3, as Debian's does on a bare desktop):
# the title window's two web buttons, by key and by mouse, F1 in the
# register, and "Email this summary", the summary's default button, whose
# text is then on the clipboard. After each message the window below takes
# keys again.
. "$(dirname "$0")/lib.sh" "$1"

reportdata=$(dirname "$TALLYO")/tests/tallyo_reportdata
[ -x "$reportdata" ] || fail "no data maker at $reportdata"
"$reportdata" "$DATA" 4 || fail "no data folder"

# The program's PATH: a folder of our own, with nothing in it at first.
BIN=$WORK/bin
mkdir -p "$BIN"
OPENED=$WORK/opened

start_desktop

step "no xdg-open: F1 in the account index says the manual can not be opened"
PATH=$BIN start_tallyo
wait_for "Tallyo - Title Window" 30
press_until "Tallyo - Title Window" " Tallyo - New User Overview" Return
press_until " Tallyo - New User Overview" "Tallyo - Account Index" Return
press_until "Tallyo - Account Index" "Can not open Tallyo Manual" F1

step "Enter closes the message; the index takes keys again and quits"
keys Return
wait_gone "Can not open Tallyo Manual"
wait_for "Tallyo - Account Index"
press_until "Tallyo - Account Index" "Confirm" Escape
keys Return
wait_exit

# An xdg-open that finds nothing, as on a desktop without a viewer, browser
# or mail program; it notes what it was given. The shell's builtins only:
# the PATH holds nothing else.
cat >"$BIN/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$1" >>"$OPENED"
printf "xdg-open: no method available for opening '%s'\n" "\$1" >&2
exit 3
EOF
chmod +x "$BIN/xdg-open"

step "no web browser: About Linux... (Tab, Space) says so"
PATH=$BIN start_tallyo
wait_for "Tallyo - Title Window" 30
press_until "Tallyo - Title Window" "Can not open Web Page" Tab space
expect_line "$(cat "$OPENED")" "http://www.tallyo.example.org/url_text_files/windowsnotice.pdf"
shot desktop-no-browser

step "Enter closes the message; the title window takes keys again"
keys Return
wait_gone "Can not open Web Page"
wait_for "Tallyo - Title Window"

step "no web browser: a click on Version History says so"
# The button's place in the window is given in twips (8200 wide).
width=$(xdotool getwindowgeometry "$(window_id "Tallyo - Title Window")" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
[ -n "$width" ] || fail "no size for the title window"
click_until "Tallyo - Title Window" $((1670 * width / 8200)) $((2780 * width / 8200)) "Can not open Web Page"
expect_line "$(cat "$OPENED")" "http://www.tallyo.example.org/VersionInfo/VersionInfo-Tallyo.pdf"
keys Return
wait_gone "Can not open Web Page"

step "the title window goes on to the register"
# The clicked button keeps the focus (Enter would click it again): Alt+C.
press_until "Tallyo - Title Window" " Tallyo - New User Overview" alt+c
press_until " Tallyo - New User Overview" "Tallyo - Account Index" Return
press_until "Tallyo - Account Index" "Tallyo" F9

step "no PDF viewer: F1 in the register says so"
press_until "Tallyo" "Can not open Tallyo Manual" F1
tail -n 1 "$OPENED" | grep -q '/Tallyo\.PDF$' || fail "xdg-open was not given the manual: $(tail -n 1 "$OPENED")"
shot desktop-no-viewer
keys Return
wait_gone "Can not open Tallyo Manual"
wait_for "Tallyo"

step "no mail program: Enter on the summary (its default) says so"
press_until "Tallyo" "Tallyo - Text Summary" F3
press_until "Tallyo - Text Summary" "Can not open E-mail" Return
expect_text "$(tail -n 1 "$OPENED")" "mailto:?subject=Tallyo%20summary%20report&body=Summary-%0D%0AAccount%20of%20Household"
shot desktop-no-mail

step "the summary is on the clipboard"
if command -v xclip >/dev/null; then
    clipboard=$(xclip -selection clipboard -o 2>/dev/null)
elif command -v xsel >/dev/null; then
    clipboard=$(xsel --clipboard --output 2>/dev/null)
else
    clipboard=skipped
    echo "no xclip or xsel to read the clipboard with: not checked"
fi
if [ "$clipboard" != skipped ]; then
    expect_line "$clipboard" "Summary-"
    expect_line "$clipboard" "Account of Household"
    expect_text "$clipboard" "Total number of transactions in this summary 5"
fi

step "Enter closes the message; the register takes keys again"
keys Return
wait_gone "Can not open E-mail"
wait_for "Tallyo"
press_until "Tallyo" "Tallyo - Text Summary" F3
keys Escape
wait_gone "Tallyo - Text Summary"
finish
