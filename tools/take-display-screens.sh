#!/usr/bin/env bash
# Takes the screens of docs/print-dialog.png, docs/scale-2-*.png and docs/find-panel.png under
# Xvfb with xdotool: 丙酮 looked up by CAS number, then the print dialog (Ctrl+P) at 1280 x 800,
# and the same page at QT_SCALE_FACTOR=2 on a 2560 x 1600 screen; "yichun" looked up in
# "综合检索" and the first reagent listed opened. Needs a build in build/ (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
self="$PWD/tools/$(basename "$0")"
docs="$PWD/docs"
cd build/run

# Looks 丙酮 up from the CAS tab and opens its page; coordinates in logical pixels times $1.
open_acetone() {
    local s=$1
    xdotool mousemove $((89 * s)) $((54 * s)) click 1
    sleep 0.5
    xdotool mousemove $((150 * s)) $((96 * s)) click 1
    xdotool type --delay 50 "67-64-1"
    xdotool key Return
    sleep 0.8
    xdotool mousemove $((45 * s)) $((155 * s)) click --repeat 2 --delay 80 1
    sleep 1
}

print_dialog() {
    ../app/velmor & local pid=$!
    sleep 4
    open_acetone 1
    xdotool key ctrl+p
    sleep 2
    import -window root "$docs/print-dialog.png"
    kill "$pid"
}

scale_2() {
    QT_SCALE_FACTOR=2 ../app/velmor & local pid=$!
    sleep 5
    open_acetone 2
    xdotool mousemove 1400 1200
    sleep 0.5
    import -window root "$docs/scale-2-window.png"
    convert "$docs/scale-2-window.png" -crop 480x84+0+0 +repage "$docs/scale-2-toolbar.png"
    kill "$pid"
}

find_panel() {
    ../app/velmor & local pid=$!
    sleep 4
    xdotool mousemove 270 54 click 1
    sleep 0.5
    xdotool mousemove 150 96 click 1
    xdotool type --delay 50 "yichun"
    xdotool key Return
    sleep 0.8
    xdotool mousemove 60 155 click --repeat 2 --delay 80 1
    sleep 1
    xdotool mousemove 700 700
    sleep 0.5
    import -window root "$docs/find-panel.png"
    kill "$pid"
}

# Each screen runs on a display of its own: the script starts itself again under xvfb-run.
case "${1:-}" in
print) print_dialog ;;
scale2) scale_2 ;;
find) find_panel ;;
*)
    xvfb-run -a -s "-screen 0 1280x800x24" "$self" print
    xvfb-run -a -s "-screen 0 2560x1600x24" "$self" scale2
    xvfb-run -a -s "-screen 0 1280x800x24" "$self" find
    ;;
esac
