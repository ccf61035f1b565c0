#!/usr/bin/env bash
# A first start: the title window, the new-user overview, the offer to add an
# account (declined), the account index, and Quit with its confirmation.
. "$(dirname "$0")/lib.sh" "$1"
start_desktop
start_tallyo

step "the title window shows"
wait_for "Tallyo - Title Window" 30

step "Enter goes on to the new-user overview"
press_until "Tallyo - Title Window" " Tallyo - New User Overview" Return

step "Enter goes on to the account index, which offers to add an account"
press_until " Tallyo - New User Overview" "No accounts on file" Return

step "declining leaves the empty account index"
keys Escape
back_to "Tallyo - Account Index" "No accounts on file"

step "Shift+Insert (a paste) does not add an account; Insert alone does"
keys shift+Insert
sleep 1
shown "New Account name" && fail "Shift+Insert started adding an account"
press_until "Tallyo - Account Index" "New Account name" Insert
keys Escape
back_to "Tallyo - Account Index" "New Account name"
expect_text "$(export_accounts)" "Name,Key,Balance,Protected"

step "Esc asks before quitting; going back keeps the program"
keys Escape
wait_for "Confirm"
keys Escape
back_to "Tallyo - Account Index" "Confirm"

step "Quit confirmed ends the program"
keys Escape
wait_for "Confirm"
keys Return
wait_exit
finish
