#!/usr/bin/env bash
# The installed program finds the installed manual: installed into a scratch
# DESTDIR and started on a virtual display, F1 in its title window hands
# <prefix>/share/tallyo/Tallyo.PDF to the desktop's opener (here a stand-in
# xdg-open that writes down what it was given).
#   manual.sh BUILD-FOLDER
build=${1:?usage: manual.sh BUILD-FOLDER}
# The shared steps of the real-input scripts; the program they drive is the
# installed one, known once it is installed below.
. "$(dirname "$0")/../realinput/lib.sh" installed

step "install into a scratch folder"
root=$WORK/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$WORK/install.log" 2>&1 \
  || fail "cmake --install: $(tail -n 5 "$WORK/install.log")"
TALLYO=$root/usr/bin/tallyo
mkdir -p "$WORK/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$WORK/opened" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
export PATH=$WORK/bin:$PATH

start_desktop
start_tallyo

step "F1 in the title window opens the installed manual"
wait_for "Tallyo - Title Window" 30
keys F1
for _ in $(seq 100); do
  [ -s "$WORK/opened" ] && break
  sleep 0.1
done
[ -s "$WORK/opened" ] || fail "F1 opened nothing"
opened=$(head -n 1 "$WORK/opened")
[ "${opened#file://}" = "$root/usr/share/tallyo/Tallyo.PDF" ] || fail "F1 opened $opened"
finish
