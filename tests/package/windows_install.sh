#!/usr/bin/env bash
# Inside tests/wine/wine-session.sh, on the X server of
# tests/e2e/desktop-session.sh: the Windows installer installed, upgraded and
# removed silently, as IT deploys it, in the session's prefix.
#
#   windows_install.sh MSI HIGHER REBUILT SCREENSHOT
#
# MSI is the package as built; HIGHER one of the next version that lacks
# offsetcalc's Dutch manual; REBUILT another build of HIGHER (another product
# code, the same version). SCREENSHOT, unless empty, gets the installed
# twinoffset's window.
set -euo pipefail
source "$(dirname "$0")/../e2e/e2e-lib.sh"
msi=$1 higher=$2 rebuilt=$3 screenshot=$4

c=$WINEPREFIX/drive_c
folder="$c/Program Files/Offset Calculators"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
title='Versleping Kestravon Concentrisch 100/150'
files="LICENSE.txt manual/offsetcalc-en.txt manual/offsetcalc-nl.txt manual/solooffset-en.txt
manual/solooffset-nl.txt manual/twinoffset-en.txt manual/twinoffset-nl.txt offsetcalc.exe
solooffset.exe twinoffset.exe"

# Runs msiexec silently with a full log in C:\msi.log; its status is msiexec's.
msiexec() {
    local action=$1 package=$2
    [[ $package == \{* ]] || package=$(winepath -w "$package")
    wine msiexec "$action" "$package" /qn /l*v 'C:\msi.log' >/dev/null 2>&1
}
# The uninstall keys of the product, one a line.
entries() {
    wine reg query "$uninstall" /s 2>/dev/null | tr -d '\r' |
        awk '/^HKEY_/ { key = $0 } /^ +DisplayName +REG_SZ +Offset Calculators$/ { print key }'
}
value() {
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
installed_files() {
    (cd "$folder" && find . -type f | sed 's|^\./||' | sort | xargs)
}
expect_one_entry() {
    local keys
    keys=$(entries)
    [ "$(wc -l <<<"$keys")" -eq 1 ] && [ -n "$keys" ] || fail "$1: uninstall entries: ${keys:-none}"
    entry=$keys
    [ "$(value "$entry" DisplayVersion)" = "$2" ] || fail "$1: version $(value "$entry" DisplayVersion), not $2"
}

version=$(msiinfo export "$msi" Property | sed -n 's/^ProductVersion\t//p' | tr -d '\r')
higher_version=$(msiinfo export "$higher" Property | sed -n 's/^ProductVersion\t//p' | tr -d '\r')

echo "== Silent install"
msiexec /i "$msi" || fail "msiexec /i exited with $?"
[ "$(installed_files)" = "$(xargs <<<"$files")" ] || fail "installed: $(installed_files)"
expect_one_entry install "$version"
first_entry=$entry
[ -n "$(value "$first_entry" Publisher)" ] || fail "no publisher in the uninstall entry"
# The Start menu the installer resolved (Wine puts even a per-machine
# package's shortcuts in the installing user's menu; Windows in all users').
menu=$(winepath -u "$(sed -n 's/^Property(S): ProgramMenuFolder = //p' "$c/msi.log" | tr -d '\r' | tail -n 1)")
for shortcut in "Versleping Concentrisch:twinoffset" "Versleping Enkelwandig:solooffset"; do
    link="$menu/${shortcut%%:*}.lnk"
    [ -f "$link" ] || fail "no shortcut $link"
    grep -qa "${shortcut#*:}.exe" "$link" || fail "$link does not start ${shortcut#*:}.exe"
done
# The list of installed programs shows the icon that Windows Installer keeps.
icon=$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *ProductIcon *REG_SZ *//p')
[ -n "$icon" ] && [ -f "$(winepath -u "$icon")" ] || fail "no product icon (${icon:-none})"
[ "$(wine "C:\\Program Files\\Offset Calculators\\offsetcalc.exe" --version | tr -d '\r')" = \
    "offsetcalc $version" ] || fail "the installed offsetcalc.exe --version"

echo "== The installed twinoffset shows its window"
launcher=""
on_exit 'stop_process "$launcher"'
wine explorer /desktop=pkg,1280x1024 "C:\\Program Files\\Offset Calculators\\twinoffset.exe" \
    >/dev/null 2>&1 &
launcher=$!
window=""
find_window() {
    window=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}
wait_until 60 find_window || fail "no window '$title'"
# Drawn once it holds the diagram's many colours, not only the face's few.
painted() { [ "$(xwd -silent -id "$window" 2>/dev/null | xwdtopnm 2>/dev/null | ppmhist -noheader 2>/dev/null | wc -l)" -gt 50 ]; }
wait_until 20 painted || fail "the window was never drawn"
if [ -n "$screenshot" ]; then
    mkdir -p "$(dirname "$screenshot")"
    xwd -silent -root | xwdtopnm 2>/dev/null | pnmtopng >"$screenshot"
fi
# Closed as a person closes it; the desktop ends with its last window. Wine
# may give the window another X window as it is first activated (one CI run
# saw the first one gone by the time Alt+F4 was sent to it), so each try
# finds it again by its title.
launcher_gone() { ! kill -0 "$launcher" 2>/dev/null; }
close_with_keys() {
    if find_window; then
        xdotool mousemove --window "$window" 40 40 click 1 key --window "$window" alt+F4 \
            2>/dev/null
    fi
    wait_until 3 launcher_gone
}
wait_until 30 close_with_keys || fail "twinoffset did not close on Alt+F4"
launcher=""

echo "== Upgrade to $higher_version"
msiexec /i "$higher" || fail "the upgrade exited with $?"
expect_one_entry upgrade "$higher_version"
[ "$entry" != "$first_entry" ] || fail "the upgrade kept the old product"
[ "$(installed_files)" = "$(xargs <<<"${files/manual\/offsetcalc-nl.txt/}")" ] ||
    fail "after the upgrade: $(installed_files)"

echo "== The older package refuses"
if msiexec /i "$msi"; then fail "the older package installed over the newer one"; fi
# Refused for the newer version it found (the message itself Wine does not
# log; check_msi.py reads it in the package).
grep -qa '^Property(S): WIX_DOWNGRADE_DETECTED = {' "$c/msi.log" || fail "refused for another reason"
expect_one_entry refusal "$higher_version"

echo "== Another build of the same version replaces it"
upgraded_entry=$entry
msiexec /i "$rebuilt" || fail "the rebuilt package exited with $?"
expect_one_entry rebuild "$higher_version"
[ "$entry" != "$upgraded_entry" ] || fail "the rebuilt package did not replace the installed one"

echo "== Silent removal"
msiexec /x "${entry##*\\}" || fail "msiexec /x exited with $?"
[ ! -e "$folder" ] || fail "left after removal: $(find "$folder")"
left=$(find "$menu" "$c/ProgramData/Microsoft/Windows/Start Menu" -iname 'Versleping*')
[ -z "$left" ] || fail "shortcuts left after removal: $left"
[ -z "$(entries)" ] || fail "uninstall entry left: $(entries)"
if wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | grep 'Offset Calculators' >/dev/null; then
    fail "Windows Installer still lists the product"
fi
left=$(find "$HOME" -type f \( -name '*.desktop' -o -name '*.menu' \))
[ -z "$left" ] || fail "menu entries in the home folder: $left"
echo "install, shortcuts, uninstall entry, window, upgrade, refusal, rebuild and removal pass"
