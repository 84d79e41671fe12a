#!/usr/bin/env bash
# Starts Ovix in Wine's virtual desktop on an X server of its own and saves
# screenshots under build/screenshots: the main window, the tray menu, a menu
# of the menu bar with a sub-menu open, the About box, the cleaner, the
# optimiser at rest, the "not connected" box of Disconnect from Internet, the
# process window, the services, drivers, software and hotfix windows, and the
# ten lists of packages, codecs, system files, windows, modes and folders.
# Expects the builds and the prefix (scripts/run.sh makes them).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"
source "$here/xvfb.sh"

exe=${1:-$OVIX_BUILD/win64/Ovix.exe}
ctl=$OVIX_BUILD/win64/winctl.exe
out=$OVIX_BUILD/screenshots
mkdir -p "$out"
title="Ovix v1.0.6"
desktop="/desktop=Ovix,1024x768"

# Wine's processes on this desktop, and the X server, go when this script ends.
finish() {
    wineserver -k 2>/dev/null || true
    stop_xvfb
}
trap finish EXIT
OVIX_FORCE_XVFB=1 start_xvfb
# A command of ours inside the same virtual desktop as the program. explorer
# returns at once, so the command's exit code comes back through a file.
done_file=$out/.winctl-done
in_desktop() {
    rm -f "$done_file"
    OVIX_DONE_FILE=$(winepath -w "$done_file" 2>/dev/null) wine explorer "$desktop" "$@" >/dev/null 2>&1
    local i
    for i in $(seq 1 1500); do
        [ -s "$done_file" ] && return "$(tr -d '\r\n' < "$done_file")"
        sleep 0.1
    done
    return 1
}

wine explorer "$desktop" "$exe" >/dev/null 2>&1 &
# The desktop must exist before a second process joins it, or that one makes its own.
for _ in $(seq 1 100); do
    xdotool search --name "Wine desktop" >/dev/null 2>&1 && break
    sleep 0.2
done
if ! in_desktop "$ctl" wait "$title" 60000; then
    echo "Ovix did not show its main window" >&2
    exit 1
fi
# The window can be found before start-up ends: wait for the splash to go.
in_desktop "$ctl" gone SplashScreenExClass 120000 || true
sleep 2  # the status line fills on its first timer ticks
import -window root "$out/main.png"
echo "saved $out/main.png"

# The whole tree, opened, a few pages at a time.
for page in 0 1 2 3 4 5; do
    in_desktop "$ctl" expand "$title" $((page * 1))
    sleep 0.5
    import -window root "$out/tree-$page.png"
done
echo "saved $out/tree-0.png to tree-5.png"
# The network part: the local address between the dial-up lines.
in_desktop "$ctl" expand "$title" "Internet connection" || true
sleep 0.5
import -window root "$out/tree-internet.png"
echo "saved $out/tree-internet.png"
in_desktop "$ctl" expand "$title" 0

# The tray menu, as a right click on the icon opens it.
in_desktop "$ctl" post "$title" 0x401 1 0x204
sleep 1
import -window root "$out/tray-menu.png"
echo "saved $out/tray-menu.png"
xdotool key Escape || true
sleep 0.5

# A menu of the menu bar and one of its sub-menus, opened from the keyboard:
# the menu loop reads the keys posted to the window (Options, then Others).
in_desktop "$ctl" post "$title" 0x112 0xF100 0 || true
for key in 0x28 0x28 0x28 0x28 0x28 0x27; do
    in_desktop "$ctl" post "$title" 0x100 "$key" 0 || true
done
sleep 1
import -window root "$out/menu-bar.png"
echo "saved $out/menu-bar.png"
xdotool key Escape Escape Escape || true
sleep 0.5

in_desktop "$ctl" command "$title" 32813 || true
in_desktop "$ctl" wait "About Ovix" 10000 || true
sleep 1.5
import -window root "$out/about.png"
echo "saved $out/about.png"
in_desktop "$ctl" close "About Ovix" || true
sleep 0.5
# The cleaner, opened by its menu command.
in_desktop "$ctl" command "$title" 32982 || true
in_desktop "$ctl" wait "OvixCleaner" 10000 || true
sleep 1
import -window root "$out/cleaner.png"
echo "saved $out/cleaner.png"
# Clean with the choices ticked at opening (the prefix's own bin, recent
# documents and cookies): the log fills.
in_desktop "$ctl" command "OvixCleaner" 1321 || true
sleep 2
import -window root "$out/cleaner-log.png"
echo "saved $out/cleaner-log.png"
in_desktop "$ctl" close "OvixCleaner" || true
sleep 0.5
# The optimiser at rest: never pressed here, it changes the registry for real.
in_desktop "$ctl" command "$title" 32885 || true
in_desktop "$ctl" wait "Optimize Windows in one click !" 10000 || true
sleep 1
import -window root "$out/optimizer.png"
echo "saved $out/optimizer.png"
in_desktop "$ctl" close "Optimize Windows in one click !" || true
sleep 0.5

# Disconnect from Internet on a machine without a dial-up connection.
in_desktop "$ctl" command "$title" 32922 || true
in_desktop "$ctl" wait Ovix 10000 || true
sleep 0.5
import -window root "$out/disconnect.png"
echo "saved $out/disconnect.png"
in_desktop "$ctl" post Ovix 0x111 1 0 || true
sleep 0.5

# The report dialog at rest, the save dialog of Browse, and the question
# once the file is written (answered No: the dialog stays for another file).
in_desktop "$ctl" command "$title" 32857 || true
in_desktop "$ctl" wait "Report" 20000 || true
sleep 1
import -window root "$out/report.png"
echo "saved $out/report.png"
in_desktop "$ctl" command "Report" 120 || true
sleep 2
import -window root "$out/report-browse.png"
echo "saved $out/report-browse.png"
xdotool type --delay 20 'C:\users\Public\ovix-screens' || true
xdotool key Return || true
sleep 8
import -window root "$out/report-written.png"
echo "saved $out/report-written.png"
xdotool key n || true
sleep 1
in_desktop "$ctl" close "Report" || true
sleep 0.5

# The e-mail report dialog and its body prompt (never sent: the real mail
# client would be called).
in_desktop "$ctl" command "$title" 33005 || true
in_desktop "$ctl" wait "Send report by e-mail" 20000 || true
sleep 1
import -window root "$out/mail-report.png"
echo "saved $out/mail-report.png"
in_desktop "$ctl" post "Send report by e-mail" 0x111 498 0 || true
sleep 1.5
xdotool type --delay 20 'Here is the report of my computer.' || true
sleep 0.5
import -window root "$out/mail-body.png"
echo "saved $out/mail-body.png"
xdotool key Escape || true
sleep 0.5
in_desktop "$ctl" close "Send report by e-mail" || true
sleep 0.5

# The colours manager and the password generator (one password made).
in_desktop "$ctl" command "$title" 33009 || true
in_desktop "$ctl" wait "System colors" 10000 || true
sleep 1
import -window root "$out/colours.png"
echo "saved $out/colours.png"
in_desktop "$ctl" close "System colors" || true
sleep 0.5
in_desktop "$ctl" command "$title" 32856 || true
in_desktop "$ctl" wait "Password Generator" 10000 || true
in_desktop "$ctl" command "Password Generator" 1370 || true
sleep 1
import -window root "$out/passwords.png"
echo "saved $out/passwords.png"
in_desktop "$ctl" close "Password Generator" || true
sleep 0.5

# The shortcut maker.
in_desktop "$ctl" command "$title" 32889 || true
in_desktop "$ctl" wait "Shortcut Maker" 10000 || true
sleep 1
import -window root "$out/shortcut-maker.png"
echo "saved $out/shortcut-maker.png"
in_desktop "$ctl" close "Shortcut Maker" || true
sleep 0.5

# The computer summary (F2), closed by a real key press.
in_desktop "$ctl" post "$title" 0x100 0x71 0 || true
sleep 5
import -window root "$out/summary.png"
echo "saved $out/summary.png"
xdotool key Escape || true
sleep 1

# The process window (its caption changes with the load: closed by Escape),
# a process selected with its modules below, and its context menu.
in_desktop "$ctl" command "$title" 32905 || true
sleep 5
xdotool key Down Down Down || true
sleep 2
import -window root "$out/processes.png"
echo "saved $out/processes.png"
xdotool key shift+F10 || true
sleep 1
import -window root "$out/processes-menu.png"
echo "saved $out/processes-menu.png"
xdotool key Escape Escape || true
sleep 0.5

# The services, drivers and installed-software windows (captions with their
# counts: closed by Escape).
for shot in services:32891 drivers:32927 software:32994; do
    in_desktop "$ctl" command "$title" "${shot#*:}" || true
    sleep 3
    import -window root "$out/${shot%%:*}.png"
    echo "saved $out/${shot%%:*}.png"
    xdotool key Escape || true
    sleep 0.5
done

# The lists of packages, COM applications, codecs, system files, fonts,
# windows, display modes and shell folders; the slow ones ask first ("Yes").
for shot in packages:33031:yes com-applications:32975 codecs:33057 dll-cache:33015:yes \
            executables:1145:yes protected-files:33069:yes fonts:33049 windows:33071 display-modes:32993 \
            shell-folders:33006; do
    IFS=: read -r name id ask <<<"$shot"
    in_desktop "$ctl" command "$title" "$id" || true
    if [ -n "${ask:-}" ]; then
        in_desktop "$ctl" wait Ovix 10000 && in_desktop "$ctl" post Ovix 0x111 6 0 || true
    fi
    sleep 4
    import -window root "$out/$name.png"
    echo "saved $out/$name.png"
    xdotool key Escape || true
    sleep 0.5
done

in_desktop "$ctl" close "$title" || true
sleep 1

# The hotfix list opens on Windows XP only: a second, short run of the
# program with Wine playing XP for it alone (the setting is removed after).
xp_key='HKCU\Software\Wine\AppDefaults\Ovix.exe'
wine reg add "$xp_key" /v Version /d winxp /f >/dev/null 2>&1
wine explorer "$desktop" "$exe" >/dev/null 2>&1 &
if in_desktop "$ctl" wait "$title" 60000; then
    in_desktop "$ctl" gone SplashScreenExClass 120000 || true
    in_desktop "$ctl" command "$title" 33008 || true
    sleep 3
    import -window root "$out/hotfixes.png"
    echo "saved $out/hotfixes.png"
    xdotool key Escape || true
    sleep 0.5
    in_desktop "$ctl" close "$title" || true
    sleep 1
fi
wine reg delete "$xp_key" /f >/dev/null 2>&1 || true
