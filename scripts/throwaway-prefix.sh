#!/usr/bin/env bash
# Runs one Windows program in a throwaway copy of the project's booted Wine
# prefix, with a wineserver of its own that is stopped after, then deletes
# the copy. For programs that change the system for real (the optimiser's
# tests and bench): the project's own prefix never sees their writes.
#   bash scripts/throwaway-prefix.sh program.exe [arguments]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
if [ ! -f "$WINEPREFIX/.ovix-ready" ]; then
    echo "throwaway-prefix: the prefix is not set up; run scripts/setup-prefix.sh" >&2
    exit 2
fi
copy=$(mktemp -d "$OVIX_BUILD/wine/throwaway.XXXXXX")
cleanup() {
    WINEPREFIX="$copy/prefix" wineserver -k 2>/dev/null || true
    rm -rf "${copy:?}"
}
trap cleanup EXIT
cp -a --reflink=auto "$WINEPREFIX" "$copy/prefix"
export WINEPREFIX="$copy/prefix"
# Wine's own services start with the first program and would hold our output
# pipe: start them with a program whose output goes nowhere.
wineserver -p
wine "$OVIX_BUILD/win64/winctl.exe" wait "no such window" 1 </dev/null >/dev/null 2>&1 || true
wine "$@"
