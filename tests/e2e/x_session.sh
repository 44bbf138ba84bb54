# Shared by the end-to-end scripts: a scratch folder, an X server of their own with a window
# manager, failure reports with a screenshot, and waits that always end. Source it after
# setting test_name; it sets work, DISPLAY and the helpers below.

for tool in Xvfb xdpyinfo openbox xdotool wmctrl xprop; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/kalvora-e2e-XXXXXX")
work=$(cd "$work" && pwd -P)
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
        import -window root "$PWD/${test_name}_failure.png" 2>/dev/null &&
            echo "screen at the failure: $PWD/${test_name}_failure.png" >&2
    fi
    local log
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- ${log##*/}:" >&2; tail -n 60 "$log" >&2; }
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

# wait_until <seconds> <command...>: like wait_for, but a time out is for the caller to report.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.3
    done
}

window_named() { xdotool search --onlyvisible --name "^$1\$"; }
no_window_named() { ! xdotool search --onlyvisible --name "^$1\$"; }
# How many visible windows have exactly this title: a window and its message box share it.
windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
two_windows_named() { [ "$(windows_named "$1")" -eq 2 ]; }
one_window_named() { [ "$(windows_named "$1")" -eq 1 ]; }
is_running() { kill -0 "$1" 2>/dev/null; }
is_gone() { ! kill -0 "$1" 2>/dev/null; }
active_window_is() { [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = "$1" ]; }

# Activates the first visible window with exactly this title and prints its id.
activate_window() {
    local id
    id=$(window_named "$1" | head -n1)
    [ -n "$id" ] || fail "no window \"$1\" to activate"
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 || fail "cannot activate \"$1\""
    wait_for 10 "\"$1\" to be the active window" active_window_is "$1"
    echo "$id"
}

# Our server is alive and answers with the screen size it was given.
our_display() {
    kill -0 "$xvfb_pid" 2>/dev/null && xdpyinfo 2>/dev/null | grep 'dimensions: *1280x800 pixels' >/dev/null
}

# An X server on a free display. -noreset: by default the server starts afresh whenever its
# last client leaves, dropping the keyboard layout and refusing whoever connects meanwhile.
# Other X servers come and go on a shared machine: a display that turns out to answer as
# someone else's is given up.
start_x_server() {
    local attempt deadline
    for attempt in 1 2 3; do
        rm -f "$work/display"
        Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
        xvfb_pid=$!
        pids+=("$xvfb_pid")
        wait_for 20 "Xvfb" test -s "$work/display"
        export DISPLAY=":$(head -n1 "$work/display")"
        deadline=$((SECONDS + 5))
        until our_display || [ $SECONDS -ge $deadline ]; do sleep 0.2; done
        our_display && return 0
        kill "$xvfb_pid" 2>/dev/null || true
    done
    fail "no usable X server after three tries"
}

# A window manager, so that close boxes, activation and focus work as on a desktop.
start_window_manager() {
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    wait_for 20 "openbox" wmctrl -m
}

# A home folder with today's notice already there, so the start-up does not go to the network.
make_home() {
    home="$work/home"
    inst="$home/kalwin/kalwin"
    mkdir -p "$inst"
    printf '%s\r\n' "$(date +%Y%m%d)" >"$home/kalwin/kalvora.bnn"
}

start_kalxena() {
    HOME="$home" QT_QPA_PLATFORM=xcb "$kalxena" >>"$work/kalxena.log" 2>&1 &
    kalxena_pid=$!
    pids+=("$kalxena_pid")
}

# The close box of the main window ends the program at once, with status 0.
close_main_window() {
    wmctrl -c "Kalvora Zaft 15.E"
    wait_for 20 "kalxena to end after its close box" is_gone "$kalxena_pid"
    local status=0
    wait "$kalxena_pid" || status=$?
    [ "$status" -eq 0 ] || fail "kalxena ended with status $status"
}

# Without a users file the login window greets and waits for Continua (Enter).
pass_greeting() {
    wait_for 30 'the login window "Informazioni"' window_named "Informazioni"
    activate_window "Informazioni" >/dev/null
    xdotool key Return
    wait_for 20 'the login window to close' no_window_named "Informazioni"
}

# kalxena started, its greeting passed, up to its main window.
open_main_window() {
    start_kalxena
    pass_greeting
    wait_for 30 'the main window "Kalvora Zaft 15.E"' window_named "Kalvora Zaft 15\\.E"
}

# archive_window <entry of "Gestione archivi", from 0> <title>: Utilità is the sixth menu, and
# "Gestione archivi" its ninth entry that can be chosen (the keys skip entries not yet ready).
archive_window() {
    activate_window "Kalvora Zaft 15.E" >/dev/null
    xdotool key F10
    sleep 0.3
    xdotool key Escape
    xdotool key --delay 80 --repeat 5 Right
    xdotool key --delay 80 --repeat 10 Down
    xdotool key Right
    [ "$1" -gt 0 ] && xdotool key --delay 80 --repeat "$1" Down
    xdotool key Return
    wait_for 30 "the window \"$2\"" window_named "$2"
    activate_window "$2" >/dev/null
}

# An installation with the one company 000 "Prova Srl" of this year, in use by nobody: sets
# $year and $company (its folder, with a tables file and the current-layout mark).
one_company() {
    year=$(date +%Y)
    {
        printf 'Prova Srl%191s%s\r\n' "" "$year"
        for _ in $(seq 2 1000); do printf '*\r\n'; done
    } >"$inst/kalvora.azi"
    printf ' 0 \r\n' >"$inst/kalvora.uso"
    company="$inst/kalaz0.000"
    mkdir -p "$company"
    printf 'tabelle\r\n' >"$company/kalvora.tab"
    # Archives in the current layout: no conversion is offered at start.
    date +%d/%m/%Y | sed 's/$/\r/' >"$company/kalvora.a14"
}
