#!/usr/bin/env bash
# The balance check end to end: kalxena on a company whose chart of accounts holds wrong
# running totals and whose journal holds a few thousand entries; "Controllo contabile" chosen
# from the menus rebuilds the totals, which must equal those this script computes on its own,
# every other byte of the chart left as it was. Runs under its own Xvfb and openbox.
# Usage: balance_check.sh <path of kalxena>
set -euo pipefail

kalxena=${1:?usage: balance_check.sh <kalxena>}
test_name=e2e_balance_check
source "$(dirname "$0")/x_session.sh"

start_x_server
start_window_manager
make_home
one_company

# The company: 60 accounts with garbage totals, 4,000 entries of 2 to 5 lines (amounts with
# cents, a few with more decimals, some zero, one line naming an account that does not exist).
python3 - "$company" <<'PY'
import random, struct, sys
folder = sys.argv[1]
rnd = random.Random(7)
tot = bytearray(140 * 19)
codes = [f"{g:02d}{s:02d}{n:04d}" for g, s, n in [(rnd.randint(1, 80), rnd.randint(1, 20), i) for i in range(1, 61)]]
con = bytearray()
for i, code in enumerate(codes):
    r = bytearray(rnd.randbytes(150))
    r[0:10] = (code + "  ").encode()
    r[10:50] = f"Conto {i + 1}".ljust(40).encode()
    r[58:66] = struct.pack("<d", rnd.uniform(-1e6, 1e6))
    r[66:74] = struct.pack("<d", rnd.uniform(-1e6, 1e6))
    con += r
gio = bytearray()
for e in range(4000):
    r = bytearray(645)
    r[0:8] = f"{rnd.randint(2021, 2026)}{rnd.randint(1, 12):02d}{rnd.randint(1, 28):02d}".encode()
    r[8:48] = f"Registrazione {e + 1}".ljust(40).encode()
    r[340:341] = b"0"
    for line in range(rnd.randint(2, 5)):
        at = 150 + 18 * line
        code = "99999999" if e == 1234 and line == 0 else rnd.choice(codes)
        amount = 0.0 if rnd.random() < 0.05 else round(rnd.uniform(0, 20000), rnd.choice([2, 2, 2, 3]))
        r[at:at + 2] = struct.pack("<h", rnd.randint(0, 1))
        r[at + 2:at + 10] = code.encode()
        r[at + 10:at + 18] = struct.pack("<d", amount)
    gio += r
tot[140 * 5:140 * 5 + 8] = struct.pack("<d", len(codes))
tot[140 * 12:140 * 12 + 8] = struct.pack("<d", 4000)
for name, data in (("kalvora.tot", tot), ("kalvora.con", con), ("kalvora.gio", gio)):
    open(f"{folder}/{name}", "wb").write(data)
PY
cp "$company/kalvora.con" "$work/kalvora.con.before"

open_main_window

echo "balance check"
# "Controllo contabile" is the fourth entry of "Gestione archivi".
archive_window 3 "Controllo contabile"
# The window opens with the focus on "Conferma".
xdotool key space
wait_for 60 'the message "Verifica eseguita"' two_windows_named "Controllo contabile"
xdotool key Return
wait_for 20 "the message to close" one_window_named "Controllo contabile"
activate_window "Controllo contabile" >/dev/null
xdotool key Escape
wait_for 20 'the window "Controllo contabile" to close' no_window_named "Controllo contabile"

python3 - "$company/kalvora.con" "$work/kalvora.con.before" "$company/kalvora.gio" <<'PY' || fail "the rebuilt totals are wrong"
import math, struct, sys
after, before, gio = (open(p, "rb").read() for p in sys.argv[1:4])
assert len(after) == len(before), "the chart changed length"
codes = [int(before[i:i + 8]) for i in range(0, len(before), 150)]
first = {}
for i, c in enumerate(codes):
    first.setdefault(c, i)
totals = [[0.0, 0.0] for _ in codes]
for e in range(0, len(gio), 645):
    for line in range(10):
        at = e + 150 + 18 * line
        side, = struct.unpack("<h", gio[at:at + 2])
        code = gio[at + 2:at + 10]
        amount, = struct.unpack("<d", gio[at + 10:at + 18])
        if amount == 0 or not code.strip(b" \0"):
            continue
        i = first.get(int(code))
        if i is not None:
            totals[i][0 if side == 0 else 1] += math.floor(amount * 100 + 0.51) / 100
for i in range(len(codes)):
    r0, r1 = before[i * 150:(i + 1) * 150], after[i * 150:(i + 1) * 150]
    assert r0[:58] == r1[:58] and r0[74:] == r1[74:], f"account {i + 1}: bytes outside the totals changed"
    debit, credit = struct.unpack("<dd", r1[58:74])
    assert abs(debit - totals[i][0]) < 1e-6 and abs(credit - totals[i][1]) < 1e-6, \
        f"account {i + 1}: {debit} {credit} against {totals[i]}"
print(f"{len(codes)} accounts checked")
PY

close_main_window
echo "PASS"
