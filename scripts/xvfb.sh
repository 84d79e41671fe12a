# Sourced: start_xvfb starts an X server on a free display when none is set,
# and stop_xvfb stops only the server it started (by its pid).
OVIX_XVFB_PID=""

start_xvfb() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${OVIX_FORCE_XVFB:-}" ]; then
        return 0
    fi
    local n
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
            OVIX_XVFB_PID=$!
            local i
            for i in $(seq 1 50); do
                [ -e "/tmp/.X11-unix/X$n" ] && break
                sleep 0.1
            done
            if kill -0 "$OVIX_XVFB_PID" 2>/dev/null; then
                export DISPLAY=":$n"
                return 0
            fi
            OVIX_XVFB_PID=""
        fi
    done
    echo "no free X display found" >&2
    return 1
}

stop_xvfb() {
    if [ -n "$OVIX_XVFB_PID" ]; then
        kill "$OVIX_XVFB_PID" 2>/dev/null || true
        wait "$OVIX_XVFB_PID" 2>/dev/null || true
        OVIX_XVFB_PID=""
    fi
}
