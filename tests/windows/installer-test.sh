#!/usr/bin/env bash
# The installer as a user runs it, in a fresh Wine prefix on the private
# desktop of scripts/with-test-desktop.sh: a silent install gives the folder
# under %LOCALAPPDATA%\Programs, the Start-menu shortcut and the uninstall
# entry, and the installed zorrel.exe starts shaped and top-most; a silent
# uninstall then leaves no file in that folder, no shortcut and no entry,
# while the user's sound option stays.
#   tests/windows/installer-test.sh SETUP.EXE VERSION
set -euo pipefail
setup=$(realpath "$1")
version=$2
: "${DISPLAY:?run me under scripts/with-test-desktop.sh}"

name=installer-test
work=$(mktemp -d /tmp/zorrel-windows-setup.XXXXXX)
# shellcheck source=tests/windows/wine-desktop.sh
. "$(dirname "$0")/wine-desktop.sh"

freshPrefix
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorrel'
entry() {
  wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v n="$1" '$1 == n {sub(/^ *[^ ]+ +[^ ]+ +/, ""); print; exit}'
}
folder="$(windowsFolder LOCALAPPDATA)/Programs/Zorrel"
shortcut="$(windowsFolder APPDATA)/Microsoft/Windows/Start Menu/Programs/Zorrel.lnk"

installed() {
  [ -f "$folder/zorrel.exe" ] && [ -f "$folder/platforms/qwindows.dll" ] &&
    [ -f "$folder/THIRD-PARTY.txt" ] && [ -f "$folder/licenses/LGPL-3.txt" ]
}
shortcutMade() { [ -f "$shortcut" ] && grep -qa 'zorrel\.exe' "$shortcut"; }
registered() {
  [ "$(entry DisplayName)" = Zorrel ] && [ "$(entry DisplayVersion)" = "$version" ] &&
    [ -n "$(entry Publisher)" ] && [[ "$(entry DisplayIcon)" == *zorrel.exe* ]] &&
    [[ "$(entry UninstallString)" == *uninstall.exe* ]] && [ $(($(entry EstimatedSize))) -gt 0 ]
}

wine "$setup" /S || fail "the silent install ended with status $?"
installed || fail "the install folder lacks files: $(find "$folder" -maxdepth 1 2>&1 | tr '\n' ' ')"
step "silent install into %LOCALAPPDATA%\\Programs\\Zorrel"
shortcutMade || fail "no Start-menu shortcut to zorrel.exe"
step "Start-menu shortcut"
registered || fail "the uninstall entry is incomplete: $(wine reg query "$key" 2>&1 | tr -d '\r' | tr '\n' ' ')"
step "uninstall entry: Zorrel $version by $(entry Publisher), $(($(entry EstimatedSize))) KiB"

startToy "$folder/zorrel.exe"
within 50 shaped || fail "the installed program's window has no shape"
within 50 onTop || fail "another window is above the installed program"
# The first start stores the default, which the uninstall must keep.
within 100 optionIs True || fail "the first start did not store the sound option"
stopToy
step "installed zorrel.exe starts shaped and top-most"

# The uninstaller runs from a copy of itself, so it is done when its
# traces are gone.
wine "$folder/uninstall.exe" /S || fail "the silent uninstall ended with status $?"
gone() { [ ! -e "$folder" ] && [ ! -e "$shortcut" ] && ! wine reg query "$key" >/dev/null 2>&1; }
within 300 gone || fail "the uninstall left: $(find "$folder" 2>/dev/null | tr '\n' ' ')$(ls "$shortcut" 2>/dev/null) $(wine reg query "$key" 2>/dev/null | tr -d '\r' | head -n 1)"
step "silent uninstall leaves no file, shortcut or entry"
optionIs True || fail "the uninstall took the sound option (now '$(option)')"
step "the sound option stays"
