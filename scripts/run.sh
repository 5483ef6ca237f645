#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the sample database: it runs in
# build/run/, where the build puts cmc.kdb and the structure pictures. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: built, but there is no display to show the window on" \
        "(try: xvfb-run -a scripts/run.sh)" >&2
    exit 1
fi
cd build/run
exec ../app/velmor "$@"
