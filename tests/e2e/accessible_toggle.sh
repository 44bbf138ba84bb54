#!/usr/bin/env bash
# An option button used as a screen reader uses it: kalxena on its own X server, session bus and
# accessibility bus; the backup window opened from the menus; its option "Copia gli archivi
# operativi ed i files necessari per la ristampa..." found by its name and toggled over AT-SPI.
# The list of files, read over AT-SPI too, must then hold the company's reprint file.
# Usage: accessible_toggle.sh <path of kalxena>
set -euo pipefail

kalxena=${1:?usage: accessible_toggle.sh <kalxena>}
test_name=e2e_accessible_toggle
for tool in dbus-daemon /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# The system's Python, which python3-dbus serves, whatever python3 comes first on the PATH.
/usr/bin/python3 -c 'import dbus' 2>/dev/null || { echo "SKIP: python3-dbus is not installed"; exit 77; }
atspi="/usr/bin/python3 $(cd "$(dirname "$0")" && pwd)/atspi.py"
source "$(dirname "$0")/x_session.sh"

start_x_server
start_window_manager
dbus-daemon --session --nofork --print-address=3 3>"$work/bus" 2>"$work/dbus.log" &
pids+=($!)
wait_for 20 "the session bus" test -s "$work/bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
# The launcher is the bus's child: it is ended by its pid, and takes its own bus with it.
launcher=$($atspi bus 2>"$work/atspi.log") || fail "the accessibility bus did not start"
pids+=("$launcher")

make_home
one_company
reprint=F1234567.DAT
printf 'fattura' >"$company/$reprint"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_kalxena
pass_greeting
wait_for 30 'the main window "Kalvora Zaft 15.E"' window_named "Kalvora Zaft 15\\.E"
archive_window 0 "Copie di backup"

lists() { $atspi names kalxena "Copie di backup" 2>>"$work/atspi.log" | grep -x "$1" >/dev/null; }
wait_for 20 "the backup window on the accessibility bus" lists "KALVORA.TAB"
lists "$reprint" && fail "the operating archives alone already list $reprint"
$atspi do kalxena "Copie di backup" "Copia gli archivi operativi ed i files necessari per la ristampa" Toggle \
    2>>"$work/atspi.log" || fail "the option could not be toggled over AT-SPI"
wait_until 10 lists "$reprint" || fail "after Toggle the list does not show $reprint"

activate_window "Copie di backup" >/dev/null
xdotool key alt+e
wait_for 20 'the backup window to close' no_window_named "Copie di backup"
close_main_window
echo "PASS"
