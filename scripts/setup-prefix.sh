#!/usr/bin/env bash
# Creates the project's private Wine prefix under build/ once.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
[ -f "$WINEPREFIX/.ovix-ready" ] && exit 0

rm -rf "$WINEPREFIX"
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$(dirname "$WINEPREFIX")"
echo "setting up the Wine prefix in $WINEPREFIX"
# No display needed for this; keep wineboot from looking for one.
if ! DISPLAY= wineboot -i >/dev/null 2>&1; then
    wineserver -k 2>/dev/null || true
    echo "FAIL: wineboot could not set up $WINEPREFIX" >&2
    exit 1
fi
wineserver -w
[ -f "$WINEPREFIX/system.reg" ] || { echo "FAIL: $WINEPREFIX has no registry after wineboot" >&2; exit 1; }

# The user folders would be links into $HOME: make them real folders in the prefix.
user_dir=$(ls -d "$WINEPREFIX"/drive_c/users/*/ 2>/dev/null | grep -v '/Public/$' | head -n 1)
if [ -n "$user_dir" ]; then
    for name in Desktop Documents Downloads Music Pictures Videos Templates; do
        if [ -L "$user_dir$name" ]; then
            rm -f "$user_dir$name"
            mkdir -p "$user_dir$name"
        fi
    done
fi

# Wine here does not read the fonts of fonts-wine from its data folder: without
# Marlett, caption buttons show as the letters "0 1 r". Give the prefix copies.
if [ -d /usr/share/wine/fonts ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

# Wine draws frames itself under bare Xvfb, and destroying a window is fast.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
touch "$WINEPREFIX/.ovix-ready"
