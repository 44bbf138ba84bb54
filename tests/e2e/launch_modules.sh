#!/usr/bin/env bash
# Module launch end to end: the X11 window lookup without and with a window manager; then
# kalxena on an installation with two stand-in modules (kalcli, and KALEMF.EXE to try case and
# extension), each launched through the real menus, the first one twice: one process, its
# window brought to the front, one command line. The close box then closes both modules.
# Last, a login by password that leads to the main window and to the password change window.
# Every wait has a time limit.
# Usage: launch_modules.sh <kalxena> <test module program> [<x11_windows_test>]
set -euo pipefail

kalxena=${1:?usage: launch_modules.sh <kalxena> <test module> [<x11_windows_test>]}
module=${2:?usage: launch_modules.sh <kalxena> <test module> [<x11_windows_test>]}
x11_test=${3:-}
test_name=e2e_launch_modules
source "$(dirname "$0")/x_session.sh"

# The processes running this program file (zombies do not count).
processes_of() {
    local proc exe
    for proc in /proc/[0-9]*; do
        exe=$(readlink "$proc/exe" 2>/dev/null) || continue
        [ "$exe" = "$1" ] || continue
        [ "$(sed 's/.*) //' "$proc/stat" 2>/dev/null | cut -d' ' -f1)" = Z ] && continue
        echo "${proc#/proc/}"
    done
}
no_process_of() { [ -z "$(processes_of "$1")" ]; }
one_process_of() { [ "$(processes_of "$1" | wc -l)" -eq 1 ]; }

# choose_menu <menus to the right of the first> <entry number, from 1>: F10 opens the first
# menu; Escape closes its list but keeps the bar in keyboard mode, so the arrows move along the
# bar without opening lists and Down opens the chosen one on its first entry.
choose_menu() {
    local right=$1 entry=$2
    activate_window "Kalvora Zaft 15.E" >/dev/null
    xdotool key F10
    sleep 0.3
    xdotool key Escape
    [ "$right" -gt 0 ] && xdotool key --delay 80 --repeat "$right" Right
    xdotool key --delay 80 --repeat "$entry" Down
    xdotool key Return
}

# The scrambled form of a password, as kalvora.pxd keeps it.
scramble() {
    local text=$1 n=${#1} i code out
    out=$(printf "\\$(printf '%03o' $((n + 64)))")
    for ((i = 1; i <= n; i++)); do
        code=$(printf '%d' "'${text:i-1:1}")
        out+=$(printf "\\$(printf '%03o' $((code + 2 * i)))")
    done
    printf '%s' "$out"
}

start_x_server
if [ -n "$x11_test" ]; then
    echo "X11 lookup without a window manager"
    KALVORA_EXPECT_WM=0 timeout 120 "$x11_test" >"$work/x11_without_wm.log" 2>&1 ||
        fail "x11_windows_test without a window manager (see x11_without_wm.log)"
fi
start_window_manager
if [ -n "$x11_test" ]; then
    echo "X11 lookup with a window manager"
    KALVORA_EXPECT_WM=1 timeout 120 "$x11_test" >"$work/x11_with_wm.log" 2>&1 ||
        fail "x11_windows_test with a window manager (see x11_with_wm.log)"
    rm -f "$work"/x11_*.log
fi

make_home
year=$(date +%Y)
# Company 000 in the registry: the name padded to 200 characters and the year; the rest free.
{
    printf '%-200s%s\r\n' "Moduli di Prova Srl" "$year"
    for ((i = 1; i < 1000; i++)); do printf '*\r\n'; done
} >"$inst/kalvora.azi"
cp "$module" "$inst/kalcli"
cp "$module" "$inst/KALEMF.EXE"
chmod +x "$inst/kalcli" "$inst/KALEMF.EXE"
customers="$inst/kalcli"
invoices="$inst/KALEMF.EXE"

echo "start"
open_main_window
wait_for 30 "the in-use marker" test -s "$inst/kalvora.uso"

# The bar: Aziende, Vendite, Acquisti, Magazzino, Contabilità, Utilità ...
# Vendite: Stampe, Gestione archivio clienti, Gestione archivio agenti, Emissione fatture ...
# Utilità: Password di accesso first.
echo "Gestione archivio clienti, first time"
choose_menu 1 2
wait_for 30 'the window "Gestione archivio clienti"' window_named "Gestione archivio clienti"
wait_for 10 "the arguments of kalcli" test -s "$customers.args"
one_process_of "$customers" || fail "kalcli runs as $(processes_of "$customers" | wc -l) processes"

echo "Gestione archivio clienti, second time"
choose_menu 1 2
wait_for 20 'the customers window to come to the front' active_window_is "Gestione archivio clienti"
# Whatever the second choice might have started would be up by now.
sleep 1
one_process_of "$customers" || fail "the second choice started kalcli again"
printf '$$vj%%r000\n' | cmp -s - "$customers.args" ||
    fail "kalcli received: $(od -c "$customers.args" | head -n4)"

echo "Emissione fatture di vendita"
choose_menu 1 4
wait_for 30 'the window "Emissione fatture"' window_named "Emissione fatture"
wait_for 10 "the arguments of KALEMF.EXE" test -s "$invoices.args"
one_process_of "$invoices" || fail "KALEMF.EXE runs as $(processes_of "$invoices" | wc -l) processes"
printf '$$vj%%r000\n' | cmp -s - "$invoices.args" ||
    fail "KALEMF.EXE received: $(od -c "$invoices.args" | head -n4)"
no_window_named "Attenzione" || fail "a message appeared"

echo "closing with the close box"
close_main_window
wait_for 20 "kalcli to end" no_process_of "$customers"
wait_for 20 "KALEMF.EXE to end" no_process_of "$invoices"

echo "login by password"
# Users 1 and 2; Mario Rossi's password is "rossi".
{
    printf 'Amministratore\r\n%s\r\n9\r\n\r\n%s\r\n' "$(scramble amministra)" "$(printf '0%.0s' {1..500})"
    printf 'Mario Rossi\r\n%s\r\n\r\n\r\n\r\n' "$(scramble rossi)"
    for ((i = 3; i <= 99; i++)); do printf '\r\n\r\n\r\n\r\n\r\n'; done
} >"$inst/kalvora.pxd"
[ "$(wc -l <"$inst/kalvora.pxd")" -eq 495 ] || fail "the users file is not 495 lines"
rm "$inst/kalvora.uso"
start_kalxena
wait_for 30 'the window "Inserimento password di accesso"' window_named "Inserimento password di accesso"
activate_window "Inserimento password di accesso" >/dev/null
xdotool type --delay 30 "sbagliata"
xdotool key Return
wait_for 20 'the refusal of a wrong password' window_named "Attenzione"
activate_window "Attenzione" >/dev/null
xdotool key Return
wait_for 20 'the refusal to close' no_window_named "Attenzione"
window_named "Inserimento password di accesso" >/dev/null || fail "the login window closed after a wrong password"
activate_window "Inserimento password di accesso" >/dev/null
# The field has the focus back with its text selected: typing replaces it.
xdotool type --delay 30 "rossi"
xdotool key Return
wait_for 20 'the login window to close' no_window_named "Inserimento password di accesso"
wait_for 30 'the main window after the login' window_named "Kalvora Zaft 15\\.E"
wait_for 30 "the in-use marker after the login" test -s "$inst/kalvora.uso"
is_running "$kalxena_pid" || fail "kalxena ended after the login"

# Only a user other than 0 and 1 gets the password change window: it shows who logged in.
echo "Password di accesso for Mario Rossi"
choose_menu 5 1
wait_for 20 'the window "Imposta password"' window_named "Imposta password"
activate_window "Imposta password" >/dev/null
xdotool type --delay 30 "rossi"
xdotool key Return
xdotool type --delay 30 "nuova"
xdotool key Return
wait_for 20 'the password window to close' no_window_named "Imposta password"
[ "$(sed -n 7p "$inst/kalvora.pxd" | tr -d '\r')" = "$(scramble nuova)" ] ||
    fail "line 7 of kalvora.pxd is not the new password"
[ "$(wc -l <"$inst/kalvora.pxd")" -eq 495 ] || fail "kalvora.pxd is no longer 495 lines"
close_main_window

echo "PASS"
