#!/usr/bin/env bash
# First start of kalxena on an empty home folder: the greeting of the login window, the company
# creation window, the files it writes, the main window as it looks on screen, its close box;
# then a second start that goes straight to the main window. Runs under its own Xvfb and
# openbox; every wait has a time limit.
# Usage: first_start.sh <path of kalxena>
set -euo pipefail

kalxena=${1:?usage: first_start.sh <kalxena>}
command -v setxkbmap >/dev/null || { echo "SKIP: setxkbmap is not installed"; exit 77; }
for tool in import convert identify; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool (imagemagick) is not installed"; exit 77; }
done
test_name=e2e_first_start
source "$(dirname "$0")/x_session.sh"

# pixels <picture> <area WxH+X+Y> dark|colour: how many pixels of the area are dark (text) or
# strongly coloured (pictures).
pixels() {
    local filter
    case $3 in
        dark) filter=(-colorspace Gray -threshold 45% -negate) ;;
        colour) filter=(-colorspace HCL -channel G -separate +channel -threshold 25%) ;;
    esac
    convert "$1" -crop "$2" +repage "${filter[@]}" -format '%[fx:round(mean*w*h)]' info:
}

# The main window as a person sees it: mapped, 1024 x 700 with the window manager's frame, and
# drawn: the menu bar with its captions, the company caption in the band below it and the
# toolbar's pictures under that, over a plain dark blue backdrop, and the date in the bottom row, whole.
main_window_rendered() {
    local id shot=$work/main_window.png width height left right top bottom
    id=$(window_named "Kalvora Zaft 15\\.E" | head -n1)
    [ -n "$id" ] || return 1
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 || return 1
    # The pointer off the window, so no toolbar label covers anything.
    xdotool mousemove 0 0
    import -window "$id" "$shot" 2>/dev/null || return 1
    width=$(identify -format '%w' "$shot")
    height=$(identify -format '%h' "$shot")
    read -r left right top bottom < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,/ /g')
    [ -n "$bottom" ] || { echo "no frame extents" >&2; return 1; }
    [ $((width + left + right))x$((height + top + bottom)) = 1024x700 ] ||
        { echo "window of ${width}x$height with a frame of $left $right $top $bottom" >&2; return 1; }
    # The date's digits lie in the bottom row, above the window's lower edge.
    [ "$(pixels "$shot" 140x24+$((width - 160))+$((height - 28)) dark)" -gt 60 ] || { echo "no date at the bottom" >&2; return 1; }
    [ "$(pixels "$shot" 140x3+$((width - 160))+$((height - 3)) dark)" -eq 0 ] || { echo "the date is cut" >&2; return 1; }
    [ "$(identify -format '%k' "$shot")" -gt 200 ] || { echo "too few colours: blank" >&2; return 1; }
    [ "$(pixels "$shot" 1024x18+0+1 dark)" -gt 300 ] || { echo "no menu captions" >&2; return 1; }
    [ "$(pixels "$shot" 500x60+50+22 dark)" -gt 300 ] || { echo "no company caption" >&2; return 1; }
    [ "$(pixels "$shot" 600x52+0+88 colour)" -gt 300 ] || { echo "no toolbar pictures" >&2; return 1; }
    # Nothing over the backdrop: the area below the toolbar is all of the default dark blue.
    local backdrop
    backdrop=$(convert "$shot" -crop 1024x400+0+220 +repage -format '%k %[pixel:p{0,0}] %[pixel:p{500,200}]' info:)
    [ "$backdrop" = "1 srgb(0,0,128) srgb(0,0,128)" ] || { echo "something over the backdrop: $backdrop" >&2; return 1; }
}

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

echo "checking the main window on screen"
# Mapped: only viewable windows are found.
[ "$(window_named "Kalvora Zaft 15\\.E" | wc -l)" -eq 1 ] || fail "the main window is not mapped exactly once"
if ! wait_until 20 main_window_rendered; then
    main_window_rendered || true
    cp "$work/main_window.png" "$PWD/${test_name}_main_window.png" 2>/dev/null || true
    fail "the main window does not fit 1024 x 700 or does not show its menus, captions, toolbar and date (see ${test_name}_main_window.png)"
fi

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
