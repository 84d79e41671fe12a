#!/usr/bin/env bash
# Installs only what this machine lacks to build and test Ovix on Debian.
# Never installs wine32: with it, `wine` picks a 32-bit loader that cannot run here.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

have_cmd cmake || need+=(cmake)
have_cmd ninja || need+=(ninja-build)
have_cmd g++ || need+=(g++)
have_cmd i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686-posix)
# The shipped 32-bit program is built with the win32 thread model (no newer imports).
have_cmd i686-w64-mingw32-g++-win32 || need+=(g++-mingw-w64-i686-win32)
have_cmd x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix)
have_cmd x86_64-w64-mingw32-windres || need+=(binutils-mingw-w64-x86-64)
have_cmd i686-w64-mingw32-windres || need+=(binutils-mingw-w64-i686)
have_pkg wine64 || need+=(wine64)
have_pkg wine || need+=(wine)
have_pkg fonts-wine || need+=(fonts-wine)
have_cmd Xvfb || need+=(xvfb)
have_cmd xdotool || need+=(xdotool)
{ have_cmd import && import -version 2>/dev/null | grep -q ImageMagick; } || need+=(imagemagick)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
have_cmd python3 || need+=(python3)
have_cmd pgrep || need+=(procps)
# Wine is installed without its recommended packages; on a minimal machine it
# then lacks the X extensions, TLS and GL libraries and the fonts it loads at
# run time. Name them.
for pkg in libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 \
    libxext6 libxfixes3 libfreetype6 libfontconfig1 libgnutls30 libgl1 fonts-liberation; do
    have_pkg "$pkg" || need+=("$pkg")
done

if [ ${#need[@]} -eq 0 ]; then
    exit 0
fi
echo "installing: ${need[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
