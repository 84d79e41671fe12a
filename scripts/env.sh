# Sourced by the other scripts: where things live, and the environment every
# Wine call of the project runs in (a private prefix under build/, no host
# folders reachable, no proxy, a pinned code page).
OVIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OVIX_BUILD=${OVIX_BUILD:-$OVIX_ROOT/build}
export OVIX_ROOT OVIX_BUILD

export WINEPREFIX=$OVIX_BUILD/wine/prefix
# The prefix links Desktop, Documents... to $HOME: give it a home of its own,
# outside the prefix, so no test can write beyond build/.
export HOME=$OVIX_BUILD/wine/home
export XDG_DATA_HOME=$HOME/.local/share
export XDG_CONFIG_HOME=$HOME/.config
export XDG_CACHE_HOME=$HOME/.cache
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
# Code page 1252 for the ANSI texts.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY ftp_proxy FTP_PROXY no_proxy NO_PROXY all_proxy ALL_PROXY
