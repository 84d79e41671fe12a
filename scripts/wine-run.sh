#!/usr/bin/env bash
# Runs a Windows program of the project under the project's Wine prefix (the
# test emulator of the x86_64 build).
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
if [ ! -f "$WINEPREFIX/.ovix-ready" ]; then
    echo "wine-run: the prefix is not set up; run scripts/setup-prefix.sh" >&2
    exit 2
fi
exec wine "$@"
