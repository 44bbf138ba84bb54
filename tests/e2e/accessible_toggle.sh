#!/usr/bin/env bash
# The backup window's option "Copia gli archivi operativi ed i files necessari per la ristampa..."
# toggled by its name as a screen reader does, over the accessibility bus (AT-SPI), on an X server
# of our own: the list of files, read there too, must then hold a reprint file.
# Usage: accessible_toggle.sh <path of kalxena>
set -euo pipefail

# The system's Python, which python3-dbus serves, whatever python3 comes first on the PATH.
/usr/bin/python3 -c 'import dbus' 2>/dev/null && command -v dbus-run-session >/dev/null &&
    [ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: python3-dbus, dbus or at-spi2-core is missing"; exit 77; }
# A session bus of our own, which ends with the script and takes the accessibility bus with it.
[ -n "${KALVORA_OWN_BUS:-}" ] || KALVORA_OWN_BUS=1 exec dbus-run-session -- bash "$0" "$@"
kalxena=${1:?usage: accessible_toggle.sh <kalxena>}
test_name=e2e_accessible_toggle
atspi="/usr/bin/python3 $(dirname "$0")/atspi.py"
source "$(dirname "$0")/x_session.sh"

start_x_server
start_window_manager
make_home
one_company
printf 'fattura' >"$company/F1234567.DAT"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
open_main_window
archive_window 0 "Copie di backup"

lists() { $atspi names kalxena "Copie di backup" 2>>"$work/atspi.log" | grep -x "$1" >/dev/null; }
wait_for 20 "the backup window on the accessibility bus" lists KALVORA.TAB
lists F1234567.DAT && fail "the operating archives alone already list F1234567.DAT"
$atspi do kalxena "Copie di backup" "Copia gli archivi operativi ed i files necessari per la ristampa" Toggle \
    2>>"$work/atspi.log" || fail "the option could not be toggled over AT-SPI"
wait_until 10 lists F1234567.DAT || fail "after Toggle the list does not show F1234567.DAT"
activate_window "Copie di backup" >/dev/null
xdotool key alt+e
wait_for 20 'the backup window to close' no_window_named "Copie di backup"
close_main_window
echo "PASS"
