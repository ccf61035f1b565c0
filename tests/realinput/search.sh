#!/usr/bin/env bash
# Search and find and replace in a register, by real keys and clicks: a
# payee search typed at the keyboard, Finished, then the payee "Smith"
# replaced by "Smyth" everywhere, read back through `tallyo export register`.
. "$(dirname "$0")/lib.sh" "$1"

# One account, "Household", with the beginning balance and four
# transactions of March 2026, written byte by byte as the program stores
# them (dates are days since 1899-12-30 as little-endian doubles, amounts
# ten-thousandths as little-endian 64-bit integers). The export ends its
# lines with CR LF, which the comparisons leave out.
KEY=20260301090000
spaces() { printf '%*s' "$1" ''; }
zeros() { head -c "$1" /dev/zero; }
transaction() {  # date-bytes type cleared-bytes payee amount-bytes comment
    printf '%s' "$KEY"; printf "$1"; printf '%-12s' "$2"; printf "$3"
    printf '%-50s' "$4"; printf "$5"; printf '%-50s' "$6"; spaces 856
}
mkdir -p "$DATA"
{
    printf '%s' "$KEY"; printf '%-40s' "Household"; spaces 40; spaces 15; spaces 2879; zeros 12
} >"$DATA/Account.dex"
{
    transaction '\x00\x00\x00\x00\x00\x00\xf0\x3f' "Start" '\xff\xff' "Beginning Balance" \
        '\x80\x96\x98\x00\x00\x00\x00\x00' ""
    transaction '\x00\x00\x00\x00\x70\x80\xe6\x40' "1001" '\x00\x00' "Smith" \
        '\x30\x22\xf9\xff\xff\xff\xff\xff' "Lawn"
    transaction '\x00\x00\x00\x00\x50\x81\xe6\x40' "Deposit" '\x00\x00' "Employer" \
        '\x40\x42\x0f\x00\x00\x00\x00\x00' ""
    transaction '\x00\x00\x00\x00\x30\x82\xe6\x40' "1002" '\x00\x00' "John Smith" \
        '\xc0\xf2\xfc\xff\xff\xff\xff\xff' ""
    transaction '\x00\x00\x00\x00\x10\x83\xe6\x40' "1003" '\x00\x00' "Smith" \
        '\x20\x6c\xfb\xff\xff\xff\xff\xff' "Hedge"
} >"$DATA/Account.dat"

before=$(export_register Household | tr -d "\r")
expect_line "$before" "2026-03-02,,1001,Smith,-45.00,,955.00,Lawn,2"

start_desktop
start_tallyo

step "the title window, the overview and the account index"
wait_for "Tallyo - Title Window" 30
press_until "Tallyo - Title Window" " Tallyo - New User Overview" Return
press_until " Tallyo - New User Overview" "Tallyo - Account Index" Return

step "Enter opens the register of the highlighted account"
press_until "Tallyo - Account Index" "Tallyo" Return
# The register lists the account in three short phases before it takes
# clicks.
sleep 1.5

# The Search button is the second of the buttons above the list, the
# other-options ("Lists") button the sixth: 1,440 twips to the inch at 96
# dots per inch make 15 twips a pixel.
SEARCH_X=105 LISTS_X=369 BUTTON_Y=25

step "the Search button's menu: Payee/Creditor is its thirteenth choice"
click "Tallyo" $SEARCH_X $BUTTON_Y
keys Down Down Down Down Down Down Down Down Down Down Down Down Down Return
wait_for "Search"

step "a payee search typed at the keyboard"
keys ctrl+a
type_text "smith"
keys Return
back_to "Tallyo" "Search"
sleep 1.5
shown "No matches" && fail "the search found nothing"

step "Esc is Finished in the search view: the register stays"
keys Escape
sleep 1
shown "Tallyo" || fail "the register closed"
shown "Tallyo - Account Index" && fail "Esc closed the register instead of finishing the search"
sleep 1

step "find and replace of a payee, from the Lists button's menu"
click "Tallyo" $LISTS_X $BUTTON_Y
keys Down Down Down Return
wait_for "Find and replace \`Payee/Creditor' text"
keys ctrl+a
type_text "Smith"
keys Return
sleep 0.5
wait_for "Find and replace \`Payee/Creditor' text"
type_text "Smyth"
keys Return

step "confirmed with its access key"
sleep 0.5
wait_for "Find and replace \`Payee/Creditor' text"
keys alt+y
wait_for "Find/Replace Results"
keys Return
back_to "Tallyo" "Find/Replace Results"

step "the two payees that read exactly Smith are Smyth on disk, nothing else changed"
after=$(export_register Household | tr -d "\r")
expect_line "$after" "2026-03-02,,1001,Smyth,-45.00,,955.00,Lawn,2"
expect_line "$after" "2026-03-16,,1002,John Smith,-20.00,,1035.00,,4"
expect_line "$after" "2026-03-23,,1003,Smyth,-30.00,,1005.00,Hedge,5"
expect_line "$after" ",*,Start,Beginning Balance,,1000.00,1000.00,,1"
expect_line "$after" "2026-03-09,,Deposit,Employer,,100.00,1055.00,,3"

step "the command-line search finds them"
found=$("$TALLYO" export register --account Household --search payee=smyth --data-dir "$DATA")
[ "$(printf '%s\n' "$found" | wc -l)" -eq 3 ] || fail "expected two matches and the header in
$found"
finish
