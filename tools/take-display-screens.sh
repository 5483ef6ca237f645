#!/usr/bin/env bash
# Takes README's screens under Xvfb with xdotool, each on a display of its own, at 1280 x 800
# unless said otherwise: the main window as it opens; 丙酮 after going back from 丙酸; the CAS
# panel's search for "67-" and 丙酮 opened from it; the window without a database, its message
# box answered; the navigation bar with the pointer on "主页"; the print dialog; the window at
# QT_SCALE_FACTOR=2 on a 2560 x 1600 screen; "yichun" looked up in "综合检索"; the docking
# demonstration, a marker drag and a bar floated; and the pages of 硫酸铜 and the start page
# drawn by velmor-kdb render. The selection and the page's menu are tools/take-page-screens.sh's.
# Needs a build in build/ (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
self="$PWD/tools/$(basename "$0")"
docs="$PWD/docs"
cd build/run

# Where the sidebar's controls are, in logical pixels: the tabs, the query field and "检索" of
# a panel, and the middle of row `n` of the name panel's and the CAS panel's lists.
cas_tab="89 54"
find_tab="275 54"
query="150 96"
search="275 96"
name_row() { echo "45 $((188 + 23 * $1))"; }
cas_row() { echo "45 $((166 + 23 * $1))"; }

start() {
    "$@" & pid=$!
    sleep 4
}

shoot() {
    sleep 0.5
    import -window root "$1"
}

# Looks 丙酮 up from the CAS tab and opens its page; coordinates in logical pixels times $1.
open_acetone() {
    local s=$1 x y
    xdotool mousemove $((89 * s)) $((54 * s)) click 1
    sleep 0.5
    xdotool mousemove $((150 * s)) $((96 * s)) click 1
    xdotool type --delay 50 "67-64-1"
    xdotool key Return
    sleep 0.8
    read -r x y <<<"$(cas_row 0)"
    xdotool mousemove $((x * s)) $((y * s)) click --repeat 2 --delay 80 1
    sleep 1
}

main_window() {
    start ../app/velmor
    xdotool mousemove 700 700
    shoot "$docs/main-window.png"
    kill "$pid"
}

back_to_acetone() {
    start ../app/velmor
    xdotool mousemove $query click 1
    xdotool type --delay 50 "丙"
    xdotool mousemove $search click 1
    sleep 0.8
    for row in 0 4 6; do # 正丙醇, 丙酮, 丙酸
        xdotool mousemove $(name_row $row) click --repeat 2 --delay 80 1
        sleep 0.6
    done
    xdotool mousemove 28 18 click 1
    shoot "$docs/back-to-acetone.png"
    kill "$pid"
}

cas_search() {
    start ../app/velmor
    xdotool mousemove $cas_tab click 1
    sleep 0.5
    xdotool mousemove $query click 1
    xdotool type --delay 50 "67-"
    xdotool mousemove $search click 1
    xdotool mousemove 700 700
    shoot "$docs/window-cas-search.png"
    xdotool mousemove $(cas_row 2) click --repeat 2 --delay 80 1 # 丙酮
    xdotool mousemove 700 700
    shoot "$docs/window-reagent.png"
    kill "$pid"
}

load_failure() {
    local empty
    empty=$(mktemp -d)
    (cd "$empty" && "$OLDPWD/../app/velmor") & pid=$!
    sleep 4
    xdotool key Return # the message box's "确定"
    shoot "$docs/window-load-failure.png"
    kill "$pid"
    rmdir "$empty"
}

toolbar_hover() {
    start ../app/velmor
    xdotool mousemove 131 18
    shoot /tmp/velmor-toolbar.png
    convert /tmp/velmor-toolbar.png -crop 230x40+0+0 +repage -filter point -resize 300% \
        "$docs/toolbar-hover.png"
    rm /tmp/velmor-toolbar.png
    kill "$pid"
}

print_dialog() {
    start ../app/velmor
    open_acetone 1
    xdotool key ctrl+p
    sleep 2
    import -window root "$docs/print-dialog.png"
    kill "$pid"
}

scale_2() {
    QT_SCALE_FACTOR=2 ../app/velmor & pid=$!
    sleep 5
    open_acetone 2
    xdotool mousemove 1400 1200
    shoot "$docs/scale-2-window.png"
    convert "$docs/scale-2-window.png" -crop 480x84+0+0 +repage "$docs/scale-2-toolbar.png"
    kill "$pid"
}

find_panel() {
    start ../app/velmor
    xdotool mousemove $find_tab click 1
    sleep 0.5
    xdotool mousemove $query click 1
    xdotool type --delay 50 "yichun"
    xdotool key Return
    sleep 0.8
    xdotool mousemove 60 166 click --repeat 2 --delay 80 1
    sleep 1
    xdotool mousemove 700 700
    shoot "$docs/find-panel.png"
    kill "$pid"
}

# The demonstration from its first start (settings of its own in a fresh folder), its frame of
# 1000 x 700 at the screen's top left.
dock_demo() {
    local config
    config=$(mktemp -d)
    XDG_CONFIG_HOME="$config" ../examples/velmor-dock-demo "$@" & pid=$!
    sleep 3
}

dock_shots() {
    dock_demo
    xdotool mousemove 990 690
    shoot /tmp/velmor-dock.png
    convert /tmp/velmor-dock.png -crop 1000x700+0+0 +repage "$docs/dock-demo.png"
    # The upper right bar taken by its gripper and dropped in the view.
    xdotool mousemove 510 40 mousedown 1
    for step in 1 2 3 4 5 6; do
        xdotool mousemove $((510 - 25 * step)) $((40 + 35 * step))
        sleep 0.1
    done
    xdotool mouseup 1
    xdotool mousemove 990 690
    shoot /tmp/velmor-dock.png
    convert /tmp/velmor-dock.png -crop 1000x700+0+0 +repage "$docs/dock-demo-floating.png"
    kill "$pid"

    dock_demo --marker
    xdotool mousemove 215 350 mousedown 1
    for step in 1 2 3 4; do
        xdotool mousemove $((215 + 20 * step)) 350
        sleep 0.1
    done
    shoot /tmp/velmor-dock.png
    convert /tmp/velmor-dock.png -crop 1000x700+0+0 +repage "$docs/dock-demo-marker.png"
    xdotool mouseup 1
    rm /tmp/velmor-dock.png
    kill "$pid"
}

rendered_pages() {
    ../tools/velmor-kdb render cmc.kdb 硫酸铜 -o "$docs/reagent-page.png"
    ../tools/velmor-kdb render cmc.kdb firstpage -o "$docs/start-page.png"
}

case "${1:-}" in
main | back | cas | failure | hover | print | find | dock)
    declare -A run=([main]=main_window [back]=back_to_acetone [cas]=cas_search
        [failure]=load_failure [hover]=toolbar_hover [print]=print_dialog [find]=find_panel
        [dock]=dock_shots)
    "${run[$1]}"
    ;;
scale2) scale_2 ;;
*)
    for screen in main back cas failure hover print find dock; do
        xvfb-run -a -s "-screen 0 1280x800x24" "$self" "$screen"
    done
    xvfb-run -a -s "-screen 0 2560x1600x24" "$self" scale2
    rendered_pages
    ;;
esac
