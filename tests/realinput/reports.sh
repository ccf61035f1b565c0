#!/usr/bin/env bash
# The reports by keyboard: F3 opens the text summary over the register and
# Esc returns to it; the print menu, reached with Shift+Tab and Space,
# prints the whole list after the "Print Option" question; the graph menu
# opens the XY graph, which Esc closes. The pages go to
# the PDF queue of a private CUPS scheduler as the default printer, or,
# where the print system cannot start, to the PDF file the program saves
# when no printer is installed. The output is checked by its text.
. "$(dirname "$0")/lib.sh" "$1"
. "$(dirname "$0")/../reports/privatecups.sh"
trap 'cups_stop; cleanup' EXIT

reportdata=$(dirname "$TALLYO")/tests/tallyo_reportdata
[ -x "$reportdata" ] || fail "no data maker at $reportdata"
"$reportdata" "$DATA" 8 || fail "no data folder"

# The print filters run as the user lp and must reach the spool below.
chmod 755 "$WORK"
if cups_start "$WORK/cups"; then
    echo "printing on the PDF queue of a private scheduler ($CUPS_SERVER)"
    to_queue=1
else
    echo "printing to the program's PDF file: $cups_reason"
    export CUPS_SERVER=127.0.0.1:1  # no print system to find
    to_queue=0
fi

start_desktop
start_tallyo

step "the register of the account opens from the index with F9"
wait_for "Tallyo - Title Window" 30
press_until "Tallyo - Title Window" " Tallyo - New User Overview" Return
press_until " Tallyo - New User Overview" "Tallyo - Account Index" Return
press_until "Tallyo - Account Index" "Tallyo" F9

step "F3 shows the text summary"
press_until "Tallyo" "Tallyo - Text Summary" F3

step "Esc returns to the register, active with the list holding the keys"
keys Escape
back_to "Tallyo" "Tallyo - Text Summary"

step "the print menu's first item asks the print question"
# From the list, Shift+Tab passes Return, Help, Calendar, Calculator, Lists
# and Graph to the Print button; Space opens its menu.
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
sleep 0.5
keys Down Return
wait_for "Print Option"

step "No comments: the whole list is printed"
keys alt+n
if [ "$to_queue" -eq 1 ]; then
    back_to "Tallyo" "Print Option"
    cups_wait 1 60 || fail "the queue wrote no PDF"
    pdf=$(cups_pdfs | head -n 1)
else
    wait_for "Printed to a file"
    keys Return
    back_to "Tallyo" "Printed to a file"
    pdf=$(ls "$HOME"/Documents/*.pdf 2>/dev/null | head -n 1)
    [ -n "$pdf" ] || fail "no PDF in the documents folder"
fi
text=$(pdftotext -layout "$pdf" - 2>/dev/null)
expect_text "$text" "Tallyo Printout --"
expect_text "$text" "Account of Household"
expect_text "$text" "End of Printout -- 9 items in this list."
expect_text "$text" "Current Balance: 1,"
expect_no_text "$text" "Comment 4"

step "the register is usable again: the graph menu opens the XY graph"
# From the list, Shift+Tab passes Return, Help, Calendar, Calculator and
# Lists to the Graph button.
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
sleep 0.5
keys Down Return
wait_for "XY graph analysis - credit/debit values"

step "Esc closes the graph and the register takes keys again"
keys Escape
back_to "Tallyo" "XY graph analysis - credit/debit values"
keys F3
wait_for "Tallyo - Text Summary"
keys Escape
back_to "Tallyo" "Tallyo - Text Summary"
finish
