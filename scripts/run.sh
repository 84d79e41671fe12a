#!/usr/bin/env bash
# Installs what is missing, builds Ovix and runs it. With a display, the main
# window opens there; without one, Ovix runs on an X server of its own, its
# windows are saved as screenshots under build/screenshots and its report as
# build/report.txt.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bash "$here/install-deps.sh"
source "$here/env.sh"
bash "$here/build.sh" win64 win32
bash "$here/setup-prefix.sh"
echo "shipped 32-bit program: $OVIX_BUILD/win32/Ovix.exe"

# 32-bit Wine cannot run here: the x86_64 build of the same sources runs.
if [ -n "${DISPLAY:-}" ]; then
    wine "$OVIX_BUILD/win64/Ovix.exe"
    wineserver -w
else
    bash "$here/screens.sh" "$OVIX_BUILD/win64/Ovix.exe"
    # The report, written by the command line with no window at all.
    source "$here/session.sh"
    start_wine_session
    report=$(winepath -w "$OVIX_BUILD/report.txt" | tr -d '\r')
    if wine "$OVIX_BUILD/win64/Ovix.exe" /report "$report"; then
        echo "saved $OVIX_BUILD/report.txt"
    else
        echo "the report could not be written (exit code $?)" >&2
    fi
fi
