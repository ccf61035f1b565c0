#!/usr/bin/env bash
# "Export this display..." at the end of the register's print menu, reached
# by keyboard and by mouse: the displayed list saved as QIF, then as CSV
# chosen by the file's ending, each read back from the saved file.
. "$(dirname "$0")/lib.sh" "$1"
REGISTER="Tallyo"
ADDING="Tallyo - Adding a new transaction"
DIALOG="Export this display"
OUT=$WORK/out
mkdir -p "$OUT"

# The file dialog's name box has the suggested name selected: the typed
# path takes its place.
save_as() {
    wait_for "$DIALOG"
    keys ctrl+a
    type_text "$1"
    keys Return
    wait_gone "$DIALOG"
    for _ in $(seq 50); do [ -s "$1" ] && return 0; sleep 0.1; done
    fail "no file $1"
}

start_desktop
start_tallyo
first_start_to_new_register Household 1000

step "a check by keyboard"
press_until "$REGISTER" "$ADDING" Insert
keys Escape
type_text "1042"
keys Tab
type_text "Corner Shop"
keys Tab
type_text "25.50"
keys Return
wait_gone "$ADDING"
expect_text "$(export_register Household)" ",1042,Corner Shop,-25.50,,974.50,,2"

step "by keyboard: Print menu, its last item, a .qif file"
# Back to the index and in again with F9: the list has the focus. From it,
# Shift+Tab passes Return, Help, Calendar, Calculator and Lists to the
# Print button (Graph is off for a list this short); Space opens its menu,
# Up twice passes "Exit this menu" to the export.
press_until "$REGISTER" "Tallyo - Account Index" Escape
press_until "Tallyo - Account Index" "$REGISTER" F9
# The register gives the list the focus once it has assembled it: keys
# sent before then would start from elsewhere.
sleep 1.5
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
sleep 0.5
keys Up Up Return
save_as "$OUT/household.qif"
qif=$(tr -d '\r' <"$OUT/household.qif")
expect_line "$qif" "!Type:Bank"
expect_line "$qif" "POpening Balance"
expect_line "$qif" "L[Household]"
expect_line "$qif" "N1042"
expect_line "$qif" "T-25.50"
expect_line "$qif" "PCorner Shop"

step "by mouse: the Print button opens the menu; a .csv name writes CSV"
wait_for "$REGISTER"
click_menu "$REGISTER" 237 25
keys Up Up Return
save_as "$OUT/household.csv"
csv=$(tr -d '\r' <"$OUT/household.csv")
expect_line "$csv" "Date,Cleared,Type,Payee,Debit,Credit,Balance,Comment,Record"
expect_text "$csv" ",1042,Corner Shop,-25.50,,974.50,,2"
[ -z "$(ls "$OUT" | grep -v '^household\.\(qif\|csv\)$')" ] || fail "a scratch file was left: $(ls "$OUT")"

step "the register goes on: Esc returns to the account index"
press_until "$REGISTER" "Tallyo - Account Index" Escape
finish
