#!/usr/bin/env bash
# First start of kalxena on an empty home folder: the company creation window, the files it
# writes, the main window, its close box; then a second start that goes straight to the main
# window. Runs under its own Xvfb and openbox; every wait has a time limit.
# Usage: first_start.sh <path of kalxena>
set -euo pipefail

kalxena=${1:?usage: first_start.sh <kalxena>}
for tool in Xvfb xdpyinfo openbox xdotool wmctrl setxkbmap; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/kalvora-e2e-XXXXXX")
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if command -v import >/dev/null && [ -n "${DISPLAY:-}" ]; then
        import -window root "$PWD/e2e_first_start_failure.png" 2>/dev/null &&
            echo "screen at the failure: $PWD/e2e_first_start_failure.png" >&2
    fi
    local log
    for log in kalxena xvfb openbox; do
        [ -s "$work/$log.log" ] && { echo "--- $log output:" >&2; cat "$work/$log.log" >&2; }
    done
    exit 1
}

# wait_for <seconds> <what> <command...>: polls the command until it succeeds.
wait_for() {
    local limit=$1 what=$2
    shift 2
    local deadline=$((SECONDS + limit))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || fail "timed out after ${limit}s waiting for $what"
        sleep 0.2
    done
}

window_named() { xdotool search --onlyvisible --name "^$1\$"; }
no_window_named() { ! xdotool search --onlyvisible --name "^$1\$"; }
is_running() { kill -0 "$1" 2>/dev/null; }
is_gone() { ! kill -0 "$1" 2>/dev/null; }

# Our server is alive and answers with the screen size it was given.
our_display() {
    kill -0 "$xvfb_pid" 2>/dev/null && xdpyinfo 2>/dev/null | grep 'dimensions: *1280x800 pixels' >/dev/null
}

# An X server on a free display, and a window manager so that close boxes and focus work.
# -noreset: by default the server starts afresh whenever its last client leaves, dropping the
# keyboard layout and refusing whoever connects meanwhile. Other X servers come and go on a
# shared machine: a display that turns out to answer as someone else's is given up.
for attempt in 1 2 3; do
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    pids+=("$xvfb_pid")
    wait_for 20 "Xvfb" test -s "$work/display"
    export DISPLAY=":$(head -n1 "$work/display")"
    deadline=$((SECONDS + 5))
    until our_display || [ $SECONDS -ge $deadline ]; do sleep 0.2; done
    our_display && break
    kill "$xvfb_pid" 2>/dev/null || true
    [ "$attempt" -lt 3 ] || fail "no usable X server after three tries"
done
# An Italian keyboard has à on a key of its own, so xdotool need not remap a key to send it.
setxkbmap -layout it || fail "cannot set the Italian keyboard layout"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 20 "openbox" wmctrl -m

home="$work/home"
mkdir -p "$home/kalwin"
# Today's notice is already here, so the start-up does not go to the network.
printf '%s\r\n' "$(date +%Y%m%d)" >"$home/kalwin/kalvora.bnn"
year=$(date +%Y)
inst="$home/kalwin/kalwin"

start_kalxena() {
    HOME="$home" QT_QPA_PLATFORM=xcb "$kalxena" >>"$work/kalxena.log" 2>&1 &
    kalxena_pid=$!
    pids+=("$kalxena_pid")
}

close_main_window() {
    wmctrl -c "Kalvora Zaft 15.E"
    wait_for 20 "kalxena to end after its close box" is_gone "$kalxena_pid"
    local status=0
    wait "$kalxena_pid" || status=$?
    [ "$status" -eq 0 ] || fail "kalxena ended with status $status"
}

echo "first start"
start_kalxena
wait_for 30 'the "Creazione azienda" window' window_named "Creazione azienda"
creation=$(window_named "Creazione azienda" | head -n1)
xdotool windowactivate --sync "$creation"
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
wait_for 30 'the main window on the second start' window_named "Kalvora Zaft 15\\.E"
wait_for 30 "the in-use marker on the second start" test -s "$inst/kalvora.uso"
no_window_named "Creazione azienda" || fail "the second start opened the company creation window"
cmp -s "$registry" "$work/registry_after_first_start" || fail "the second start changed kalvora.azi"
close_main_window

echo "PASS"
