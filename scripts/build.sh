#!/usr/bin/env bash
# Configures and builds the three trees: host (portable code and its tests),
# win64 (the Windows tests, run under Wine) and win32 (the shipped Ovix.exe).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

configure() {
    local dir=$1 type=$2; shift 2
    # A changed toolchain file (another compiler) needs a tree configured anew.
    local toolchain
    for toolchain in "$OVIX_ROOT"/cmake/toolchain-*.cmake; do
        if [ -f "$OVIX_BUILD/$dir/CMakeCache.txt" ] && grep -q "$toolchain" "$OVIX_BUILD/$dir/CMakeCache.txt" &&
            [ "$toolchain" -nt "$OVIX_BUILD/$dir/CMakeCache.txt" ]; then
            rm -rf "${OVIX_BUILD:?}/$dir"
        fi
    done
    if [ ! -f "$OVIX_BUILD/$dir/build.ninja" ] ||
        ! grep -q "^CMAKE_BUILD_TYPE:STRING=$type\$" "$OVIX_BUILD/$dir/CMakeCache.txt"; then
        cmake -S "$OVIX_ROOT" -B "$OVIX_BUILD/$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
    fi
}

trees=${*:-host win64 win32}
for tree in $trees; do
    case $tree in
    host) configure host RelWithDebInfo ;;
    win64) configure win64 RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$OVIX_ROOT/cmake/toolchain-x86_64-mingw.cmake" ;;
    # The shipped program: optimised, without debug sections.
    win32) configure win32 Release -DCMAKE_TOOLCHAIN_FILE="$OVIX_ROOT/cmake/toolchain-i686-mingw.cmake" ;;
    *) echo "unknown tree $tree" >&2; exit 2 ;;
    esac
    echo "== building $tree"
    cmake --build "$OVIX_BUILD/$tree"
done
