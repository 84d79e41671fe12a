#!/usr/bin/env bash
# For development: builds the named trees and runs the tests whose ctest name
# matches a pattern, without the install step or the 32-bit check.
#   bash scripts/dev-test.sh 'host\.CpuInfo|win\.MainWindow'
# OVIX_BUILD picks another build folder (and with it another Wine prefix).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
pattern=${1:-.}
source "$here/env.sh"
source "$here/session.sh"

trees=""
grep -qE 'host' <<<"$pattern" || [ "$pattern" = . ] && trees="host"
grep -qE 'win' <<<"$pattern" || [ "$pattern" = . ] && trees="$trees win64"
bash "$here/build.sh" $trees

status=0
if [[ $trees == *host* ]]; then
    ctest --test-dir "$OVIX_BUILD/host" --output-on-failure -j 2 -R "$pattern" || status=1
fi
if [[ $trees == *win64* ]]; then
    bash "$here/setup-prefix.sh"
    start_wine_session
    ctest --test-dir "$OVIX_BUILD/win64" --output-on-failure -R "$pattern" || status=1
fi
exit $status
