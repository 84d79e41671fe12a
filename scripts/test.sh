#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the host
# suite natively (ASan + UBSan), the Windows suite under Wine, and a check of
# the shipped 32-bit Ovix.exe.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bash "$here/install-deps.sh"
source "$here/env.sh"
source "$here/xvfb.sh"

bash "$here/build.sh" host win64 win32
bash "$here/setup-prefix.sh"

cleanup() {
    wineserver -k 2>/dev/null || true
    stop_xvfb
}
trap cleanup EXIT
# Tests need an X server of their own: never the user's screen.
OVIX_FORCE_XVFB=1 start_xvfb
# One wineserver for the whole run, so each test process starts quickly, and
# Wine's own services started now: started by a test, they would inherit and
# hold ctest's output pipe until the end.
wineserver -p
wine "$OVIX_BUILD/win64/winctl.exe" wait "no such window" 1 >/dev/null 2>&1 || true

status=0
echo "== host tests"
ctest --test-dir "$OVIX_BUILD/host" --output-on-failure -j 2 || status=1
echo "== Windows tests (Wine)"
ctest --test-dir "$OVIX_BUILD/win64" --output-on-failure || status=1
echo "== shipped 32-bit program"
bash "$here/check-win32.sh" "$OVIX_BUILD/win32/Ovix.exe" || status=1
exit $status
