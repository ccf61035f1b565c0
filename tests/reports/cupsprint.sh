#!/usr/bin/env bash
# Real printing on a real print system: a private CUPS scheduler with a PDF
# queue as its default printer. The program prints a three-page list from
# the command line and a summary from the register window (F3, then Print)
# on a virtual display; the PDFs the queue wrote are read back with
# pdftotext -bbox and checked for the words at their stated inches (72
# points to the inch, from the page's left edge: the queue's printable area
# is the whole page) and for the page numbers counting up.
#   cupsprint.sh TALLYO TALLYO_REPORTDATA
# Exit status: 0 passed, 1 failed, 77 skipped (no print system to start).
set -u
# The window part needs the virtual display: a platform chosen by the
# calling environment (CTest's offscreen for the window tests) would show
# the program nowhere, as the real-input scripts also make sure.
unset QT_QPA_PLATFORM SESSION_MANAGER
tallyo=$1
reportdata=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/privatecups.sh"

work=$(mktemp -d /tmp/tallyo-cupsprint.XXXXXX)
# The print filters run as the user lp and must reach the spool below.
chmod 755 "$work"
app_pid=""
finish() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    cups_stop
    rm -rf "$work"
}
trap finish EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in pdftotext xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if ! cups_start "$work/cups"; then
    echo "SKIP: the print system cannot start: $cups_reason"
    exit 77
fi
echo "private scheduler on $CUPS_SERVER, default queue $(lpstat -d)"

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run XDG_DATA_HOME=$work/share
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$reportdata" "$work/data" 120 || { echo "FAIL: no data folder"; exit 1; }

# --- the list, from the command line, on the default printer --------------
out=$("$tallyo" print list --account Household --data-dir "$work/data" 2>&1)
[ "$out" = "Printed 121 items on the default printer." ] || fail "print list said: $out"
cups_wait 1 60 || { fail "the queue wrote no PDF for the list"; tail -n 20 "$work/cups/log/error_log"; exit 1; }
list_pdf=$(cups_pdfs | head -n 1)
echo "list: $(basename "$list_pdf")"
[ -z "$(ls "$HOME"/Documents 2>/dev/null)" ] || fail "the list went to a file instead of the printer"

pdftotext -bbox "$list_pdf" "$work/list.html" || fail "pdftotext could not read the list"
# One line per word: page, xMin, yMin, xMax, word.
words() {
    awk '/<page /{page++} /<word /{
        match($0, /xMin="[0-9.]+"/); xmin = substr($0, RSTART + 6, RLENGTH - 7)
        match($0, /yMin="[0-9.]+"/); ymin = substr($0, RSTART + 6, RLENGTH - 7)
        match($0, /xMax="[0-9.]+"/); xmax = substr($0, RSTART + 6, RLENGTH - 7)
        match($0, />[^<]*</); word = substr($0, RSTART + 1, RLENGTH - 2)
        print page, xmin, ymin, xmax, word }' "$1"
}
words "$work/list.html" > "$work/list.words"
pages=$(grep -c "<page " "$work/list.html")
[ "$pages" -eq 3 ] || fail "the list has $pages pages, not 3"
# The first header line ends with "Page n" on page n.
for n in 1 2 3; do
    awk -v n="$n" '$1 == n && prev == "Page" && $5 == n { found = 1 } { prev = $5 } END { exit !found }' \
        "$work/list.words" || fail "page $n does not say Page $n"
done
# Every line starts at 0.8 inch (57.6 pt): the headings and each date at
# the start of its line.
awk '$5 == "Tallyo" || $5 == "Date" || ($5 ~ /^[0-9][0-9]\/[0-9][0-9]\/[0-9][0-9]$/ && $2 < 80) {
        n++; if ($2 < 57.6 - 1.5 || $2 > 57.6 + 1.5) { print "at " $2 " pt: " $5; bad++ } }
     END { if (n < 120 || bad) exit 1 }' "$work/list.words" || fail "lines do not start at 0.8 inch"
# The amounts end at 6.1 inches (439.2 pt), the balances at 7.2 (518.4 pt).
awk '$5 ~ /^-?[0-9,]+\.[0-9][0-9]$/ && $2 > 360 && $4 < 470 { n++; if ($4 < 439.2 - 2 || $4 > 439.2 + 1) bad++ }
     $5 ~ /^-?[0-9,]+\.[0-9][0-9]$/ && $2 > 470 { m++; if ($4 < 518.4 - 2 || $4 > 518.4 + 1) bad++ }
     END { if (n < 120 || m < 120 || bad) { print n, m, bad; exit 1 } }' "$work/list.words" \
    || fail "amounts do not end at 6.1 inches or balances at 7.2"
grep -q ">Printout<" "$work/list.html" || fail "no header line in the list"
awk '$5 == "End"' "$work/list.words" | grep -q "^3 " || fail "the closing lines are not on page 3"

# --- a printer that refuses the document ----------------------------------
cupsreject "$cups_queue"
out=$("$tallyo" print list --account Household --data-dir "$work/data" 2>&1)
status=$?
cupsaccept "$cups_queue"
[ "$status" -eq 1 ] || fail "a refused printout ended with status $status"
case $out in
    *"not accepting jobs"*) ;;
    *) fail "a refused printout said: $out" ;;
esac
[ "$(cups_pdfs | wc -l)" -eq 1 ] || fail "a refused printout still came out"

# --- the summary, from the register window, by keyboard ------------------
cat > "$work/summary.sh" <<'SCRIPT'
set -u
shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
wait_for() { for _ in $(seq $(( $2 * 10 ))); do shown "$1" && return 0; sleep 0.1; done; echo "no window '$1'"; return 1; }
# A key sent before a window takes input is lost: send it again until the
# next window shows.
key_until() {  # window, key, next window
    for _ in $(seq 30); do
        xdotool search --onlyvisible --name "^$1\$" windowfocus --sync key "$2" 2>/dev/null
        for _ in $(seq 10); do shown "$3" && return 0; sleep 0.1; done
    done
    echo "no window '$3' after $2 in '$1'"; return 1
}
"$TALLYO" --data-dir "$DATA" &
pid=$!
trap 'kill $pid 2>/dev/null' EXIT
wait_for "Tallyo - Title Window" 30 || exit 1
key_until "Tallyo - Title Window" Return " Tallyo - New User Overview" || exit 1
key_until " Tallyo - New User Overview" Return "Tallyo - Account Index" || exit 1
key_until "Tallyo - Account Index" F9 "Tallyo" || exit 1
key_until "Tallyo" F3 "Tallyo - Text Summary" || exit 1
# "&Print this summary"
for _ in $(seq 30); do
    xdotool search --onlyvisible --name "^Tallyo - Text Summary\$" windowfocus --sync key alt+p 2>/dev/null
    sleep 0.3
    shown "Tallyo - Text Summary" || break
done
shown "Tallyo - Text Summary" && { echo "the summary stayed open"; exit 1; }
for _ in $(seq 300); do [ "$(ls "$PDFS" | wc -l)" -ge 2 ] && exit 0; sleep 0.1; done
echo "no summary printout"; exit 1
SCRIPT
TALLYO=$tallyo DATA=$work/data PDFS=$work/cups/pdf \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/summary.sh" || fail "the summary was not printed from the window"
if cups_wait 2 60; then
    summary_pdf=$(cups_pdfs | tail -n 1)
    pdftotext -bbox "$summary_pdf" "$work/summary.html"
    words "$work/summary.html" > "$work/summary.words"
    grep -q " Summary-$" "$work/summary.words" || fail "the summary PDF has no Summary- line"
    # The text starts at the left margin of 2 inches (144 pt).
    awk '$5 == "Date" || $5 == "Summary-" { n++; if ($2 < 144 - 1.5 || $2 > 144 + 1.5) bad++ }
         END { exit !(n == 2 && !bad) }' "$work/summary.words" || fail "the summary does not start at 2 inches"
    grep -q " Regular$" "$work/summary.words" || fail "the summary has no category lines"
    echo "summary: $(wc -l < "$work/summary.words") words in $(basename "$summary_pdf")"
fi

[ -z "$(lpstat -o 2>/dev/null)" ] || fail "jobs were left in the queue"
if [ "$failures" -eq 0 ]; then
    echo "passed: a three-page list and a summary printed on $cups_queue"
    exit 0
fi
exit 1
