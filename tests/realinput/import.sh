#!/usr/bin/env bash
# A bank statement imported from the register's Lists menu, by keys and by
# mouse: the file picker, the question of the date order, the preview with
# one line unticked, Import; the same file again finds everything already
# in the register. The outcome is read back through `tallyo export register`.
. "$(dirname "$0")/lib.sh" "$1"

# One account, "Household": its beginning balance and check 1001 typed in
# earlier, not cleared. Records as the program stores them: dates are days
# since 1899-12-30, amounts ten-thousandths, texts space padded.
KEY=20240101120000
mkdir -p "$DATA"
perl -e 'print pack("A14 A40 A2934 x12", $ARGV[0], "Household", "")' "$KEY" >"$DATA/Account.dex"
record() {  # day type cleared(0/-1) payee amount-in-ten-thousandths
    perl -e 'print pack("A14 d< A12 s< A50 q< A50 A856", @ARGV[0..3], $ARGV[4], $ARGV[5], "", "")' \
        "$KEY" "$@"
}
{ record 1 Start -1 "Beginning Balance" 10000000; record 45296 1001 0 Smith -450000; } >"$DATA/Account.dat"
expect_line "$(export_register Household)" "2024-01-05,,1001,Smith,-45.00,,955.00,,2"

# Its dates read as month/day or day/month: the window asks.
STATEMENT=$WORK/january.qif
printf '%s\n' '!Type:Bank' D01/05/2024 T-45.00 N1001 PSmith '^' \
    D01/06/2024 T250.00 PEmployer '^' D01/07/2024 T-3.50 'PBank fee' '^' >"$STATEMENT"

start_desktop
start_tallyo
step "the title window, the overview and the account index"
wait_for "Tallyo - Title Window" 30
press_until "Tallyo - Title Window" " Tallyo - New User Overview" Return
press_until " Tallyo - New User Overview" "Tallyo - Account Index" Return
press_until "Tallyo - Account Index" "Tallyo" Return
sleep 1.5

# The Lists button is the sixth above the list (15 twips a pixel).
LISTS_X=369 BUTTON_Y=25
PREVIEW="Import a bank statement: january.qif"

step "the Lists menu's last item opens the file picker"
click_menu "Tallyo" $LISTS_X $BUTTON_Y
keys Up Return
wait_for "Import a bank statement"

step "the file typed into the picker; its dates asked for, Month/Day/Year by Enter"
type_text "$STATEMENT"
keys Return
wait_for "Dates of the statement"
press_until "Dates of the statement" "$PREVIEW" Return

step "the third line unticked by Down, Down, Space; Enter imports"
keys Down Down space
shot import-preview
keys Return
wait_for "Statement imported"
press_until "Statement imported" "Tallyo" Return

step "the check is cleared, the deposit added as cleared, the fee left out"
after=$(export_register Household)
expect_line "$after" "2024-01-05,*,1001,Smith,-45.00,,955.00,,2"
expect_line "$after" "2024-01-06,*,Other Credit,Employer,,250.00,1205.00,,3"
expect_no_text "$after" "Bank fee"

step "the same file again, by mouse: the fee is the only line to import"
click_menu "Tallyo" $LISTS_X $BUTTON_Y
keys Up Return
wait_for "Import a bank statement"
type_text "$STATEMENT"
keys Return
wait_for "Dates of the statement"
press_until "Dates of the statement" "$PREVIEW" Return
# The Import button, at 6,420 twips from the left and 6,300 from the top.
click_until "$PREVIEW" 448 440 "Statement imported"
press_until "Statement imported" "Tallyo" Return
after=$(export_register Household)
expect_line "$after" "2024-01-07,*,Other Debit,Bank fee,-3.50,,1201.50,,4"
[ "$(printf '%s\n' "$after" | wc -l)" -eq 5 ] || fail "expected four transactions and the header in
$after"

step "the file picker's Esc imports nothing and the register takes keys again"
click_menu "Tallyo" $LISTS_X $BUTTON_Y
keys Up Return
wait_for "Import a bank statement"
keys Escape
wait_gone "Import a bank statement"
[ "$(active_title)" = "Tallyo" ] || fail "the register is not the active window: '$(active_title)'"
finish
