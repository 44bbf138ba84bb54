#!/usr/bin/env bash
# Post-it notes end to end: the toolbar's post-it button opens zelpostit on a fresh home, the
# note typed there appears on the main window, is dragged with the mouse to another place, and
# is found there again, in the notes file and on screen, at the next start. Runs under its own
# Xvfb and openbox; every wait has a time limit.
# Usage: postit.sh <path of kalxena>
set -euo pipefail

kalxena=${1:?usage: postit.sh <kalxena>}
test_name=e2e_postit
source "$(dirname "$0")/x_session.sh"
main_title="Kalvora Zaft 15\\.E"

# The notes file of users 0 to 9, line by line without CR.
notes_line() { sed -n "${1}p" "$inst/kalvora.p 0" 2>/dev/null | tr -d '\r'; }
notes_line_is() { [ "$(notes_line "$1")" = "$2" ]; }

# note_box: "X Y W H" of the note's yellow paper in the main window, nothing when none shows.
note_box() {
    local id shot=$work/shot.png box
    id=$(window_named "$main_title" | head -n1)
    [ -n "$id" ] || return 1
    import -window "$id" "$shot" 2>/dev/null || return 1
    # Yellow becomes white, everything else black (white first), and so does the band above the working area
    # (the toolbar's own post-it picture is yellow): the bounding box of the white is the note.
    box=$(convert "$shot" -fuzz 14% -fill black -opaque white -fill white -opaque '#fdec68' -fill black +opaque white \
        -draw 'rectangle 0,0 4000,139' -format '%@' info: 2>/dev/null) ||
        return 1
    [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
    # A note is about 170 x 110 pixels; anything much smaller is not one.
    [ "${BASH_REMATCH[1]}" -gt 100 ] && [ "${BASH_REMATCH[2]}" -gt 60 ] || return 1
    echo "${BASH_REMATCH[3]} ${BASH_REMATCH[4]} ${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
}
note_shown() { note_box >/dev/null; }

start_x_server
start_window_manager
make_home
one_company

echo "first start: a new note from the toolbar"
start_kalxena
pass_greeting
wait_for 30 'the main window' window_named "$main_title"
main=$(activate_window "Kalvora Zaft 15.E")
# The default toolbar: button 10 ("Post it") is the tenth of 44-pixel buttons 48 apart after a
# margin of 6, in the row that starts 88 pixels below the top of the window.
sleep 0.5
xdotool mousemove --window "$main" $((6 + 9 * 48 + 22)) 112 click 1
wait_for 20 'the window "Post-it"' window_named "Post-it"
activate_window "Post-it" >/dev/null
# The text field has the focus with its hint selected: typing replaces it. Enter goes on to the
# date, left empty, and Enter there confirms.
xdotool type --delay 30 "Riunione alle 15"
xdotool key Return
sleep 0.2
xdotool key Return
wait_for 20 'the post-it window to close' no_window_named "Post-it"
wait_for 10 'the note in kalvora.p 0' notes_line_is 1 "Riunione alle 15"
notes_line_is 2 " 120 " && notes_line_is 3 " 60 " || fail "the new note is not at 120, 60: $(notes_line 2)/$(notes_line 3)"
[ "$(wc -l <"$inst/kalvora.p 0")" -eq 40 ] || fail "kalvora.p 0 has $(wc -l <"$inst/kalvora.p 0") lines, not 40"

echo "dragging the note"
wait_for 10 'the note on the main window' note_shown
read -r x y _ _ < <(note_box)
xdotool mousemove --window "$main" $((x + 40)) $((y + 50)) mousedown 1
for step in 1 2 3 4; do
    xdotool mousemove --window "$main" $((x + 40 + step * 50)) $((y + 50 + step * 25))
    sleep 0.05
done
xdotool mouseup 1
# 120 and 60 twips are 8 and 4 pixels; the note went 200 right and 100 down, 15 twips a pixel.
wait_for 10 'the dropped position in kalvora.p 0' notes_line_is 2 " $(((8 + 200) * 15)) "
notes_line_is 3 " $(((4 + 100) * 15)) " || fail "the note's top is $(notes_line 3)"
close_main_window

echo "second start: the note where it was left"
start_kalxena
pass_greeting
wait_for 30 'the main window on the second start' window_named "$main_title"
xdotool mousemove 0 0
wait_for 20 'the note on the second start' note_shown
read -r x2 y2 _ _ < <(note_box)
[ "$x2 $y2" = "$((x + 200)) $((y + 100))" ] || fail "the note shows at $x2, $y2, not $((x + 200)), $((y + 100))"
notes_line_is 1 "Riunione alle 15" && notes_line_is 2 " 3120 " && notes_line_is 3 " 1560 " ||
    fail "the second start changed the note: $(notes_line 1)/$(notes_line 2)/$(notes_line 3)"
close_main_window

echo "PASS"
