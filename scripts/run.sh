#!/usr/bin/env bash
# Installs what is missing, builds Ovix and runs it. With a display, the main
# window opens there; without one, Ovix runs on an X server of its own and its
# windows are saved as screenshots under build/screenshots.
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
fi
