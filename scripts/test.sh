#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the host
# suite natively (ASan + UBSan), the Windows suite under Wine, and a check of
# the shipped 32-bit Ovix.exe.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bash "$here/install-deps.sh"
source "$here/env.sh"
source "$here/session.sh"

bash "$here/build.sh" host win64 win32
bash "$here/setup-prefix.sh"

start_wine_session

status=0
# The scripts that no test runs (benchmarks, screenshots) at least parse.
echo "== scripts"
for script in "$here"/*.sh; do bash -n "$script" || status=1; done
echo "== host tests"
ctest --test-dir "$OVIX_BUILD/host" --output-on-failure -j 2 || status=1
echo "== Windows tests (Wine)"
ctest --test-dir "$OVIX_BUILD/win64" --output-on-failure || status=1
echo "== shipped 32-bit program"
bash "$here/check-win32.sh" "$OVIX_BUILD/win32/Ovix.exe" || status=1
exit $status
