#!/usr/bin/env bash
# A new user's register by keyboard and mouse: the beginning balance, a
# check typed in by keyboard alone, the payee list, a deposit whose type is
# picked with the arrow keys, a payee picked from the list, both ways of
# typing an amount, a change by Enter on its row and one by double-click,
# clearing, voiding, deleting with the Delete key, the reconcile view, and
# back to the index and Quit. After every window the register opened, the
# register is active again by itself with the list holding the focus: the
# next key goes to it without any click.
. "$(dirname "$0")/lib.sh" "$1"
REGISTER="Tallyo"
ADDING="Tallyo - Adding a new transaction"
MODIFYING="Tallyo - Modifying this transaction"
PAYEE_LIST="Tallyo - The \`Payee/Creditor' List for this account"

# Where the register's controls are, in pixels inside the window (the
# layout is fixed in twips; the virtual screen has 96 dots an inch).
row_y() { echo $((104 + 19 * ($1 - 1))); }
PAYEE_X=300 DATE_X=40
click_clear() { click "$REGISTER" 202 848; }
click_lists() { click_menu "$REGISTER" 369 25; }
select_row() { click "$REGISTER" $PAYEE_X "$(row_y "$1")"; }

register() { export_register Checking; }

start_desktop
start_tallyo
first_start_to_new_register Checking 1000

step "a check by keyboard alone: Insert, Esc, number, Tab, payee, Tab, amount, Enter"
press_until "$REGISTER" "$ADDING" Insert
keys Escape
type_text "1042"
keys Tab
type_text "Grocery Mart"
keys Tab
type_text "45.67"
keys Return
back_to "$REGISTER" "$ADDING"
expect_text "$(register)" ",1042,Grocery Mart,-45.67,,954.33,,2"

step "the payee list, made in the list editor from the Lists menu"
click_lists
keys Down Return
wait_for "$PAYEE_LIST"
type_text "Power Company"
keys Return
type_text "City Water"
keys alt+f
back_to "$REGISTER" "$PAYEE_LIST"

step "a deposit whose type is picked from the list with the arrow keys"
press_until "$REGISTER" "$ADDING" Insert
keys Escape Down Down Return Tab
type_text "Employer"
keys Escape Tab
type_text "250"
keys Return
back_to "$REGISTER" "$ADDING"
expect_text "$(register)" ",Deposit,Employer,,250.00,1204.33,,3"

step "a payee picked from the payee list"
press_until "$REGISTER" "$ADDING" Insert
keys Escape
type_text "1043"
keys Tab Down Down Return Tab
type_text "80"
keys Return
back_to "$REGISTER" "$ADDING"
# Same day: ordered by type, so the check comes before the deposit.
expect_text "$(register)" ",1043,City Water,-80.00,,874.33,,4"

step "Enter on the highlighted row (the new check) opens it for changing"
keys Return
wait_for "$MODIFYING"
keys ctrl+a
type_text "Town Water"
keys Return
back_to "$REGISTER" "$MODIFYING"
expect_text "$(register)" ",1043,Town Water,-80.00,,874.33,,4"

step "Esc in the changing window changes nothing and gives the list its keys back"
keys Return
wait_for "$MODIFYING"
keys Escape
back_to "$REGISTER" "$MODIFYING"
keys Return
wait_for "$MODIFYING"
keys Escape
back_to "$REGISTER" "$MODIFYING"
expect_text "$(register)" ",1043,Town Water,-80.00,,874.33,,4"

step "modifying a payee by double-click on it"
click_until "$REGISTER" $PAYEE_X "$(row_y 2)" "$MODIFYING" 2
keys ctrl+a
type_text "Corner Grocery"
keys Return
back_to "$REGISTER" "$MODIFYING"
expect_text "$(register)" ",1042,Corner Grocery,-45.67,,"
expect_no_text "$(register)" "Grocery Mart"

step "the reconcile view (F2) and back (Esc)"
sleep 1
keys F2
sleep 1
keys Escape
sleep 1
# Esc in the reconcile view is Finished: the register is still there.
shown "$REGISTER" || fail "Esc in the reconcile view left the register"
shown "Tallyo - Account Index" && fail "Esc in the reconcile view went back to the index"

step "clearing a transaction with the Clear button"
select_row 2
click_clear
expect_text "$(register)" ",*,1042,Corner Grocery,-45.67,,"

step "voiding a transaction, confirmed"
select_row 3
click_until "$REGISTER" 258 848 "Void Transaction"
keys alt+y
back_to "$REGISTER" "Void Transaction"
expect_text "$(register)" ",VOID,Town Water,,,"
expect_no_text "$(register)" "Town Water,-80.00"

step "Delete on a row asks first; declining keeps it"
# The void sorts after the deposit, which is now the third row: from the
# top, two rows down.
keys ctrl+Home Down Down Delete
wait_for "Confirm"
keys Escape
back_to "$REGISTER" "Confirm"
expect_text "$(register)" "Employer"

step "Delete on the row, confirmed, deletes it"
keys Delete
wait_for "Confirm"
keys alt+y
back_to "$REGISTER" "Confirm"
expect_no_text "$(register)" "Employer"

step "Delete on the beginning balance does nothing"
keys ctrl+Home Delete
sleep 1
shown "Confirm" && fail "Delete on the beginning balance asked to delete it"
expect_text "$(register)" ",*,Start,Beginning Balance,,1000.00,1000.00,,1"

step "the menu key opens the highlighted row's menu; Esc closes it and the list keeps the keys"
keys ctrl+End
before=$(visible_count)
keys Menu
for _ in $(seq 30); do [ "$(visible_count)" -gt "$before" ] && break; sleep 0.1; done
[ "$(visible_count)" -gt "$before" ] || fail "the menu key opened no menu"
keys Escape
sleep 0.5
shown "$REGISTER" || fail "Esc on the menu closed the register"
back_to "$REGISTER"

step "a date picked in the entry window's calendar by keyboard (the next day, Enter)"
press_until "$REGISTER" "$ADDING" Insert
keys Right Return
type_text "1050"
keys Tab
type_text "Day After"
keys Escape Tab
type_text "5"
keys Return
back_to "$REGISTER" "$ADDING"
expect_text "$(register)" "$(date -d tomorrow +%F),,1050,Day After,-5.00,,"

step "the browsing calendar drops down from its button and Esc gives the grid back"
click_menu "$REGISTER" 552 25
keys Escape
sleep 0.5
# The grid has the focus again: Insert adds, as it does from the grid.
press_until "$REGISTER" "$ADDING" Insert
keys Escape Escape
press_until "$ADDING" "$REGISTER" Escape
back_to "$REGISTER"

step "Esc in the normal view returns to the account index, which is active again"
keys Escape
back_to "Tallyo - Account Index" "$REGISTER"

step "Quit asks first, and ends the program"
press_until "Tallyo - Account Index" "Confirm" Escape
keys Return
wait_exit

step "the second way of typing amounts: every digit enters at the cents end"
mkdir -p "$XDG_CONFIG_HOME/Tallyo"
printf '[Defaults]\nAmountEntryMethod=1\n' >>"$XDG_CONFIG_HOME/Tallyo/Tallyo.conf"
start_tallyo
wait_for "Tallyo - Title Window" 30
press_until "Tallyo - Title Window" "Tallyo - Account Index" Return
press_until "Tallyo - Account Index" "$REGISTER" Return
press_until "$REGISTER" "$ADDING" Insert
keys Escape
type_text "1044"
keys Tab
type_text "Bakery"
keys Escape Tab
type_text "1234"
keys Return
back_to "$REGISTER" "$ADDING"
expect_text "$(register)" ",1044,Bakery,-12.34,,"
finish
