# Sourced: start_wine_session starts what a run of Windows programs needs and
# stops it when the calling script exits: an X server of its own (never the
# user's screen), one wineserver for the whole run, so each program starts
# quickly, and Wine's own services, started now: started by a test, they
# would inherit and hold ctest's output pipe until the end.
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

stop_wine_session() {
    wineserver -k 2>/dev/null || true
    stop_xvfb
}

start_wine_session() {
    trap stop_wine_session EXIT
    OVIX_FORCE_XVFB=1 start_xvfb
    wineserver -p
    wine "$OVIX_BUILD/win64/winctl.exe" wait "no such window" 1 >/dev/null 2>&1 || true
}
