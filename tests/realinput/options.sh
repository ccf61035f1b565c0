#!/usr/bin/env bash
# The options window from the account index: F3 opens it, an arrow key
# changes the date display, Esc leaves it saving every setting, and a
# register opened afterwards follows the new setting without a restart.
# Then a backup to a folder, by keyboard alone, checked by the files there,
# and a second one refused while another process holds that folder.
. "$(dirname "$0")/lib.sh" "$1"

SETTINGS=$XDG_CONFIG_HOME/Tallyo/Tallyo.conf
BACKUP=$WORK/backup
mkdir -p "$BACKUP" "$(dirname "$SETTINGS")"
# No overview and no reminders after adding an account: this script is
# about the options.
cat >"$SETTINGS" <<'EOF'
[Defaults]
New%20User=NoShow
PasswordReminder=False
MakeNotesAdvice=False
EOF

start_desktop
start_tallyo

step "the empty index offers to add an account"
wait_for "Tallyo - Title Window" 30
press_until "Tallyo - Title Window" "No accounts on file" Return

step "an account is added"
keys Return
wait_for "New Account name"
type_text "Household"
keys Return
wait_for "Access protection"
keys Escape
wait_gone "Access protection"
wait_for "Tallyo - Account Index"
expect_text "$(export_accounts)" "Household,"

step "F3 opens the options window"
press_until "Tallyo - Account Index" " Tallyo -  Program Options" F3

step "Right chooses dd/mm/yy; Esc leaves the window and saves every setting"
keys Right Escape
back_to "Tallyo - Account Index" " Tallyo -  Program Options"
settings=$(cat "$SETTINGS")
expect_line "$settings" "DateDisplay=2"
expect_line "$settings" "CurrencySymbol=1"
expect_line "$settings" "AmountEntryMethod=0"
expect_line "$settings" "QuickStart=0"
expect_line "$settings" "ConfirmQuit=1"
expect_line "$settings" "FlashingButtonStatus=1"

step "the register opens on the new account, in the same run"
press_until "Tallyo - Account Index" "New Account" F9
keys Return
wait_for "Please enter"
keys ctrl+a
type_text "250.00"
keys Return
wait_for "Tallyo"
kill -0 "$TALLYO_PID" || fail "the program ended"
expect_text "$(export_register Household)" "250.00"
if [ -n "${SCREENSHOT_DIR:-}" ]; then
    sleep 1
    import -window root "$SCREENSHOT_DIR/register-after-options.png" 2>/dev/null
fi

step "back in the index, F3 and six Tabs reach the backup button; Space starts it"
press_until "Tallyo" "Tallyo - Account Index" Escape
press_until "Tallyo - Account Index" " Tallyo -  Program Options" F3
PICKER="Select a disk/drive/folder to copy (backup) your Tallyo data files to..."
press_until " Tallyo -  Program Options" "$PICKER" Tab Tab Tab Tab Tab Tab space

step "the backup folder is typed into the folder picker"
type_text "$BACKUP"
press_until "$PICKER" "Ready to Backup..." Return

step "Alt+Y copies the files; the success message closes with Enter"
keys alt+y
wait_for "Backup Successful"
for file in Account.dex Account.dat PayCom.lst; do
    cmp -s "$DATA/$file" "$BACKUP/$file" || fail "$file in the backup folder differs from the data folder"
done
[ "$(ls -A "$BACKUP" | wc -l)" -eq 3 ] || fail "the backup folder holds more than the three files: $(ls -A "$BACKUP")"
keys Return
back_to " Tallyo -  Program Options" "Backup Successful"

step "while another process holds the backup folder, a second backup says Folder in Use"
flock "$BACKUP/.tallyo-lock" sleep 60 &
HOLDER=$!
sleep 0.5
BEFORE=$(ls -l --time-style=+%s.%N "$BACKUP")
press_until " Tallyo -  Program Options" "Tallyo - Account Index" Escape
press_until "Tallyo - Account Index" " Tallyo -  Program Options" F3
press_until " Tallyo -  Program Options" "$PICKER" Tab Tab Tab Tab Tab Tab space
type_text "$BACKUP"
keys Return
wait_for "Folder in Use" 30
kill "$HOLDER"
wait "$HOLDER" 2>/dev/null
[ "$(ls -l --time-style=+%s.%N "$BACKUP")" = "$BEFORE" ] || fail "the backup folder changed while another held it"
press_until "Folder in Use" " Tallyo -  Program Options" Return
rm -f "$BACKUP/.tallyo-lock"

step "Esc leaves the options; quitting ends the program"
keys Escape
back_to "Tallyo - Account Index" " Tallyo -  Program Options"
keys Escape
wait_for "Confirm"
keys Return
wait_exit
finish
