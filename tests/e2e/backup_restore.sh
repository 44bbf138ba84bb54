#!/usr/bin/env bash
# Backup and restore end to end: kalxena on an installation with one company; the backup window
# opened from the menus copies the company's archives into its kalaz0.bak; a damaged archive is
# then taken back from there by the restore window, byte for byte. Runs under its own Xvfb and
# openbox; every wait has a time limit.
# Usage: backup_restore.sh <path of kalxena>
set -euo pipefail

kalxena=${1:?usage: backup_restore.sh <kalxena>}
test_name=e2e_backup_restore
source "$(dirname "$0")/x_session.sh"

# Alt+A starts; "Sei proprio sicuro?" and the final message come in boxes of the same title.
start_and_confirm() {
    xdotool key alt+a
    wait_for 20 "the question \"Sei proprio sicuro?\"" two_windows_named "$1"
    xdotool key Return
    wait_for 20 "the copy to end" one_window_named "$1"
    wait_for 60 "the final message" two_windows_named "$1"
}

dismiss_and_leave() {
    xdotool key Return
    wait_for 20 "the final message to close" one_window_named "$1"
    activate_window "$1" >/dev/null
    xdotool key alt+e
    wait_for 20 "the window \"$1\" to close" no_window_named "$1"
}

start_x_server
start_window_manager
make_home
one_company
head -c 3000000 /dev/urandom >"$company/kalvora.cli"
head -c 70000 /dev/urandom >"$company/kal$year.cor"
cp "$company/kalvora.cli" "$work/kalvora.cli.original"

open_main_window

echo "backup"
archive_window 0 "Copie di backup"
start_and_confirm "Copie di backup"
for file in kalvora.tab kalvora.cli "kal$year.cor"; do
    cmp -s "$company/$file" "$company/kalaz0.bak/$file" || fail "the backup of $file differs from the company's"
done
[ ! -e "$company/kalaz0.bak/kalvora.x\$\$" ] || fail "the folder test left kalvora.x\$\$ behind"
dismiss_and_leave "Copie di backup"
grep -q "^$(date +%m-%d-%Y)"$'\r'"\$" "$inst/kalvora.pry" || fail "kalvora.pry does not hold today as the last backup"

echo "damaging an archive, then restoring it"
printf 'rovinato' | dd of="$company/kalvora.cli" bs=1 seek=1000 conv=notrunc status=none
cmp -s "$company/kalvora.cli" "$work/kalvora.cli.original" && fail "the archive was not damaged"
archive_window 1 "Ripristino copie di backup"
start_and_confirm "Ripristino copie di backup"
cmp -s "$company/kalvora.cli" "$work/kalvora.cli.original" || fail "the restored kalvora.cli differs from the original"
dismiss_and_leave "Ripristino copie di backup"

close_main_window
echo "PASS"
