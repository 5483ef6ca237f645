#!/usr/bin/env bash
# Runs the program's smoke test (start, search, open a page, close) on a Wayland compositor:
# weston with its headless back end, on a socket of its own, stopped again at the end. Needs a
# build in build/ (or the folder given) with the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
test_program="$build/tests/app/desktop_smoke_tests"
[ -x "$test_program" ] || { echo "wayland-smoke.sh: $test_program is not built" >&2; exit 1; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=velmor-smoke
XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --socket="$socket" \
    --idle-time=0 --no-config >"$runtime/weston.log" 2>&1 &
weston_pid=$!
stop_weston() {
    kill "$weston_pid" 2>/dev/null || true
    wait "$weston_pid" 2>/dev/null || true
    rm -rf "$runtime"
}
trap stop_weston EXIT

for _ in $(seq 100); do
    [ -S "$runtime/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
    echo "wayland-smoke.sh: weston did not start" >&2
    cat "$runtime/weston.log" >&2
    exit 1
fi

# No X display, so nothing can fall back to X11. The headless compositor has no seat (no
# keyboard), so the keys the test types are the only ones ever sent; Qt 6.4's Wayland text
# input takes a seat for granted when a key reaches a text field, so the keys go through the
# compose input method instead, as on a desktop with QT_IM_MODULE set.
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
    QT_IM_MODULE=compose "$test_program"
