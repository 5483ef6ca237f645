#!/usr/bin/env bash
# Takes docs/window-selection.png and docs/window-page-menu.png under Xvfb with xdotool: 乙醇
# looked up by CAS number, part of its page selected with a drag, then the page's menu opened
# with a right click on the selection, at 1280 x 800. Needs a build in build/ (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
self="$PWD/tools/$(basename "$0")"
docs="$PWD/docs"

if [ "${1:-}" != inner ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$self" inner
fi
cd build/run
../app/velmor & pid=$!
sleep 4
# 乙醇 from the CAS tab: the tab, the query field, Enter, and the first row opened.
xdotool mousemove 89 54 click 1
sleep 0.5
xdotool mousemove 150 96 click 1
xdotool type --delay 50 "64-17-5"
xdotool key Return
sleep 0.8
xdotool mousemove 45 166 click --repeat 2 --delay 80 1
sleep 1
# A drag from the CAS number down into the formula's line.
xdotool mousemove 416 142 mousedown 1
sleep 0.2
xdotool mousemove 440 155
sleep 0.1
xdotool mousemove 445 168
sleep 0.2
xdotool mouseup 1
sleep 0.3
xdotool mousemove 700 560
sleep 0.3
import -window root "$docs/window-selection.png"
xdotool mousemove 520 100 click 3
sleep 0.8
import -window root "$docs/window-page-menu.png"
xdotool key Escape
kill "$pid"
