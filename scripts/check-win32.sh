#!/usr/bin/env bash
# Checks the shipped Ovix.exe: a 32-bit GUI program that needs no DLL beyond
# the system's. Where 32-bit Wine works, it is also started once (never relied on).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
exe=$1
dump=$(i686-w64-mingw32-objdump -p "$exe")
grep -q "file format pei-i386" <<<"$dump" || { echo "FAIL: $exe is not a 32-bit PE file"; exit 1; }
grep -q "Subsystem.*(Windows GUI)" <<<"$dump" || { echo "FAIL: $exe is not a GUI program"; exit 1; }
allowed='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|comctl32|comdlg32|ole32|oleaut32|wininet|ws2_32|winmm|msvcrt|msimg32|version|setupapi)\.dll$'
bad=$(grep "DLL Name:" <<<"$dump" | awk '{print tolower($3)}' | grep -Ev "$allowed" || true)
if [ -n "$bad" ]; then
    echo "FAIL: $exe imports unexpected DLLs: $bad"
    exit 1
fi
# Calls that Windows XP and 2000 lack stop the program before it starts.
newer=$(grep -owE "GetTickCount64|InitializeSRWLock|AcquireSRWLock(Exclusive|Shared)|InitializeConditionVariable|SleepConditionVariable(CS|SRW)|InitOnceExecuteOnce|GetSystemTimePreciseAsFileTime|CreateSymbolicLinkA" <<<"$dump" | sort -u || true)
if [ -n "$newer" ]; then
    echo "FAIL: $exe imports calls Windows XP lacks: $newer"
    exit 1
fi
echo "ok: $exe is a 32-bit GUI program importing only system DLLs, none newer than XP"
# It ships stripped: debug sections would make it ten times its size.
size=$(stat -c %s "$exe")
echo "size: $size bytes"
if [ "$size" -gt $((2048 * 1024)) ]; then
    echo "FAIL: $exe is larger than 2 MB (debug sections left in?)"
    exit 1
fi
if i686-w64-mingw32-objdump -h "$exe" | grep -q '\.debug_info'; then
    echo "FAIL: $exe carries debug sections"
    exit 1
fi

# Smoke start, only where a 32-bit program actually runs under this Wine.
probe=$(dirname "$exe")/winctl.exe
if [ -f "$probe" ] && timeout 20 wine "$probe" probe 2>/dev/null | grep -q "winctl runs"; then
    echo "32-bit Wine works here: starting Ovix.exe once"
    if timeout 60 wine "$probe" start "$exe" "Ovix v1.0.6" 30000 >/dev/null; then
        wine "$probe" close "Ovix v1.0.6" || true
        echo "ok: the 32-bit Ovix.exe started"
    else
        echo "note: the 32-bit Ovix.exe did not show its window (not counted)"
    fi
else
    echo "note: 32-bit programs cannot run under this Wine; smoke start skipped"
fi
