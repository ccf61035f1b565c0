#!/usr/bin/env bash
# The entry window as a person meets it, by keyboard alone: types typed as
# the list shows them (any letters, a unique beginning), one Enter to save
# once no list is open, the focus cue after an entry error and Shift+Tab from
# there, and amounts pasted through the real clipboard, each read back from
# `tallyo export register`.
. "$(dirname "$0")/lib.sh" "$1"
REGISTER="Tallyo"
ADDING="Tallyo - Adding a new transaction"

command -v xclip >/dev/null && command -v xwd >/dev/null || {
    echo "skipped: xclip or xwd is not installed"; exit $SKIP; }

register() { export_register Checking; }

# Where the boxes are inside the entry window, in pixels (the layout is in
# twips; the virtual screen has 96 dots an inch): a point of each box's
# background away from its text.
TYPE_AT="120 76" PAYEE_AT="200 119" AMOUNT_AT="30 162"
RESTING="192 255 255" FOCUSED="255 255 192"

# A picture of the entry window, and the colour "r g b" of a point of it.
picture() {
    local id
    id=$(window_id "$ADDING")
    [ -n "$id" ] || fail "no window titled '$ADDING' to look at"
    xwd -silent -id "$id" >"$WORK/window.xwd" 2>/dev/null || fail "could not picture '$ADDING'"
}
pixel() {
    # The header is 32-bit words, most significant byte first.
    local -a h p
    read -r -a h <<<"$(od -An -v -tu4 --endian=big -N 80 "$WORK/window.xwd" | tr '\n' ' ')"
    local at=$((h[0] + h[19] * 12 + $2 * h[12] + $1 * h[11] / 8))
    read -r -a p <<<"$(od -An -v -tu1 -j "$at" -N 4 "$WORK/window.xwd")"
    if [ "${h[7]}" = 0 ]; then echo "${p[2]} ${p[1]} ${p[0]}"; else echo "${p[1]} ${p[2]} ${p[3]}"; fi
}

# Exactly one box shows the focus cue: `expect_cue_on amount`.
expect_cue_on() {
    local name spot seen want
    picture
    for name in type payee amount; do
        case $name in type) spot=$TYPE_AT ;; payee) spot=$PAYEE_AT ;; amount) spot=$AMOUNT_AT ;; esac
        want=$RESTING
        [ "$name" = "$1" ] && want=$FOCUSED
        # shellcheck disable=SC2086
        seen=$(pixel $spot)
        [ "$seen" = "$want" ] || fail "the $name box shows the colour $seen, expected $want (the cue belongs on the $1 box)"
    done
}

# The clipboard holds the text, served by xclip until the next one.
CLIP_PID=""
set_clipboard() {
    [ -n "$CLIP_PID" ] && kill "$CLIP_PID" 2>/dev/null
    printf '%s' "$1" | xclip -selection clipboard -quiet >/dev/null 2>&1 &
    CLIP_PID=$!
    PIDS+=("$CLIP_PID")
    for _ in $(seq 50); do
        [ "$(xclip -selection clipboard -o 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "the clipboard never held '$1'"
}

# A new transaction up to its amount box: Insert, Esc (the date's calendar),
# the type typed into its open list, Tab, the payee, Tab.
add_until_amount() {
    press_until "$REGISTER" "$ADDING" Insert
    keys Escape
    type_text "$1"
    keys Tab
    type_text "$2"
    keys Tab
}

start_desktop
start_tallyo
first_start_to_new_register Checking 1000

step "a type typed as the list shows it: Service Fee"
add_until_amount "Service Fee" "Bank"
type_text "3"
keys Return
wait_gone "$ADDING"
expect_text "$(register)" ",Service Fee,Bank,-3.00,,"

step "a type word without its trailing spaces: Deposit"
add_until_amount "Deposit" "Employer"
type_text "250"
keys Return
wait_gone "$ADDING"
expect_text "$(register)" ",Deposit,Employer,,250.00,"

step "a unique beginning in small letters: atm becomes ATM Cash on Tab"
add_until_amount "atm" "Corner ATM"
type_text "40"
keys Return
wait_gone "$ADDING"
expect_text "$(register)" ",ATM Cash,Corner ATM,-40.00,,"

step "a type picked from the list with Enter, then one Enter saves"
press_until "$REGISTER" "$ADDING" Insert
# Esc closes the date's calendar, Esc the type list; the type comes last.
keys Escape Escape Tab
type_text "Shop"
keys Tab
type_text "7"
keys shift+Tab shift+Tab
keys Down Down Return
shown "$ADDING" || fail "the Enter that closed the type list saved"
keys Return
wait_gone "$ADDING"
expect_text "$(register)" ",Deposit,Shop,,7.00,"

step "a comment typed with its hint list open, then one Enter saves"
add_until_amount "1042" "Grocer"
type_text "12"
keys Tab
type_text "weekly shop"
keys Return
wait_gone "$ADDING"
expect_text "$(register)" ",1042,Grocer,-12.00,,"
expect_text "$(register)" ",weekly shop,"

step "after an amount error the cue is on the amount alone; Shift+Tab goes to the payee"
add_until_amount "1050" "First"
type_text ",5"
keys Return
wait_for "Entry Error"
keys Return
wait_gone "Entry Error"
expect_cue_on amount
keys shift+Tab
expect_cue_on payee
type_text "Second"
keys Tab BackSpace BackSpace
type_text "5"
keys Return
wait_gone "$ADDING"
expect_text "$(register)" ",1050,Second,-5.00,,"

step "after a type error the cue is on the type alone; a unique beginning then saves"
add_until_amount "Auto" "Third"
type_text "6"
keys Return
wait_for "Entry Error"
keys Return
wait_gone "Entry Error"
expect_cue_on type
keys End BackSpace BackSpace BackSpace BackSpace
type_text "other d"
keys Tab Return
wait_gone "$ADDING"
expect_text "$(register)" ",Other Debit,Third,-6.00,,"

step "pasted amounts that break the typing rules are refused whole"
add_until_amount "1060" "Pastes"
type_text "5"
# Each paste, if taken, would change the amount that is saved.
for bad in 123456789012 1000000000 -5 12.345 12abc "1,2,3"; do
    set_clipboard "$bad"
    keys ctrl+v
done
keys Return
wait_gone "$ADDING"
expect_text "$(register)" ",1060,Pastes,-5.00,,"

step "a pasted amount within the rules is taken as it is"
add_until_amount "1061" "Paste good"
set_clipboard "1,234.56"
keys ctrl+v Return
wait_gone "$ADDING"
expect_text "$(register)" ",1061,Paste good,-1234.56,,"

step "a refused paste into an empty box leaves nothing to save: Shift+Tab, Enter, then Esc"
add_until_amount "1099" "Nothing"
set_clipboard "123456789012"
keys ctrl+v shift+Tab Return
sleep 0.5
shown "$ADDING" || fail "an entry with no amount was saved"
press_until "$ADDING" "$REGISTER" Escape
expect_no_text "$(register)" "Nothing"
finish
