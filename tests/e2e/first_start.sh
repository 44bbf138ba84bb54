#!/usr/bin/env bash
# First start of kalxena on an empty home folder: the greeting of the login window, the company
# creation window, the files it writes, the main window, its close box; then a second start
# that goes straight to the main window. Runs under its own Xvfb and openbox; every wait has a
# time limit.
# Usage: first_start.sh <path of kalxena>
set -euo pipefail

kalxena=${1:?usage: first_start.sh <kalxena>}
command -v setxkbmap >/dev/null || { echo "SKIP: setxkbmap is not installed"; exit 77; }
test_name=e2e_first_start
source "$(dirname "$0")/x_session.sh"

start_x_server
# An Italian keyboard has à on a key of its own, so xdotool need not remap a key to send it.
setxkbmap -layout it || fail "cannot set the Italian keyboard layout"
start_window_manager
make_home
year=$(date +%Y)

echo "first start"
start_kalxena
pass_greeting
wait_for 30 'the "Creazione azienda" window' window_named "Creazione azienda"
activate_window "Creazione azienda" >/dev/null
sleep 0.3
# The name field has the focus. The accented letter is sent as its own key: "xdotool type"
# now and then drops it.
xdotool type --delay 30 "Citt"
xdotool key --delay 30 agrave
xdotool type --delay 30 " Nuova Srl"
# Sixteen fields, the two lists, then Conferma.
xdotool key --delay 30 --repeat 18 Tab
xdotool key space
wait_for 30 'the company creation window to close' no_window_named "Creazione azienda"
# The main window has its title from early in the start-up, before the company exists.
wait_for 30 'the main window "Kalvora Zaft 15.E"' window_named "Kalvora Zaft 15\\.E"
wait_for 30 "the in-use marker" test -s "$inst/kalvora.uso"
is_running "$kalxena_pid" || fail "kalxena ended by itself"

echo "checking the files written"
registry="$inst/kalvora.azi"
[ -f "$registry" ] || fail "no kalvora.azi"
[ "$(wc -l <"$registry")" -eq 1000 ] || fail "kalvora.azi has $(wc -l <"$registry") lines, not 1000"
# Windows-1252 on disk: à is the byte E0. The name is padded to 200 characters, then the year.
printf 'Citt\xe0 Nuova Srl%185s%s\r\n' "" "$year" >"$work/expected_line"
head -n1 "$registry" | cmp -s - "$work/expected_line" || fail "line 1 of kalvora.azi: $(head -n1 "$registry" | od -c | head -n3)"
[ "$(sed -n '2p;1000p' "$registry" | tr -d '\r')" = $'*\n*' ] || fail "lines 2 to 1000 are not free"
printf ' 0 \r\n' | cmp -s - "$inst/kalvora.uso" || fail "kalvora.uso is not \" 0 \" CR LF"
company="$inst/kalaz0.000"
for file in kalvora.a14 kalvora.tot "kal$year.cor" "kal$year.crr" kalvora.mas kalvora.aut kalvora.tab kalvora.int; do
    [ -f "$company/$file" ] || fail "company folder lacks $file"
done
[ "$(stat -c %s "$company/kalvora.tot")" -eq $((50 * 140)) ] || fail "kalvora.tot is not 50 records of 140 bytes"
[ "$(sed -n 1p "$company/kalvora.int" | tr -d '\r')" = $'Citt\xe0 Nuova Srl' ] || fail "kalvora.int line 1 is not the name"
[ "$(sed -n 17p "$company/kalvora.int" | tr -d '\r')" = "$year" ] || fail "kalvora.int line 17 is not the year"
cp "$registry" "$work/registry_after_first_start"

echo "closing with the close box"
close_main_window

echo "second start"
# Every start rewrites the marker once the company is chosen: its return shows the start-up got
# past the point where the creation window would have opened.
rm "$inst/kalvora.uso"
start_kalxena
pass_greeting
wait_for 30 'the main window on the second start' window_named "Kalvora Zaft 15\\.E"
wait_for 30 "the in-use marker on the second start" test -s "$inst/kalvora.uso"
no_window_named "Creazione azienda" || fail "the second start opened the company creation window"
cmp -s "$registry" "$work/registry_after_first_start" || fail "the second start changed kalvora.azi"
close_main_window

echo "PASS"
