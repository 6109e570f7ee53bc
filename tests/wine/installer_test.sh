#!/usr/bin/env bash
# Tarnwick-Setup.exe end to end in a fresh Wine prefix of its own: refused
# input installs nothing; a silent install makes the user and the registry
# values and starts the tray program; a second run upgrades in place, closing
# the running programs and keeping the user's cards and settings; the
# uninstaller removes the programs and leaves the cards. Every wait is bounded.
set -uo pipefail
setup=${1:?usage: installer_test.sh SETUP.EXE PREFIX}
prefix=${2:?usage: installer_test.sh SETUP.EXE PREFIX}
source "$(dirname "$0")/../../scripts/common.sh"

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 LC_ALL=C.UTF-8
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
die() {
  echo "FAIL: $*" >&2
  exit 1
}
trap 'tarnwick_stop_wineserver "$WINEPREFIX"' EXIT

tarnwick_stop_wineserver "$WINEPREFIX"
rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX" || die "cannot make $WINEPREFIX"
timeout 120 wineboot -i >/dev/null 2>&1 || die "wineboot did not make the prefix within 120 s"
timeout 60 wineserver -w || die "the new prefix's programs did not end within 60 s"

# A Windows program's output, without carriage returns; its own stdout only, so
# that a program it starts cannot hold the pipe open.
win() { timeout 60 wine "$@" 2>/dev/null | tr -d '\r'; }
reg_value() { win reg query "$1" /v "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
# Runs setup (or the uninstaller) and returns its exit code, bounded.
run_setup() { timeout 180 wine "$@" >/dev/null 2>&1 </dev/null; }
# Pids of this prefix's processes whose command line holds $1.
pids_of() {
  local pid
  for pid in $(pgrep -f "$1" 2>/dev/null); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
}
wait_for() {
  local seconds=$1 what=$2 i
  shift 2
  for ((i = 0; i < seconds * 10; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  fail "$what (waited $seconds s)"
  return 1
}

tarnwick_key='HKCU\Software\Tarnwick'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnwick'
local_app_data=$(win cmd /c echo %LOCALAPPDATA%)
app_data=$(win cmd /c echo %APPDATA%)
[ -n "$local_app_data" ] && [ -n "$app_data" ] || die "the prefix names no user folders"
program_folder="$local_app_data\\Programs\\Tarnwick"
program_dir=$(winepath -u "$program_folder" 2>/dev/null)
menu_dir=$(winepath -u "$app_data\\Microsoft\\Windows\\Start Menu\\Programs\\Tarnwick" 2>/dev/null)
data_root="C:\\Cards"
password='Se\cr#t1'
user_folder="$data_root\\Alice"
user_dir=$(winepath -u "$user_folder" 2>/dev/null)
cli="$program_dir/tarnwick.exe"

nothing_installed() {
  local case=$1
  [ -e "$program_dir" ] && fail "$case: the program folder was left"
  [ -n "$(reg_value "$run_key" Tarnwick)" ] && fail "$case: the Run entry was written"
  [ -n "$(reg_value "$tarnwick_key" RootUser)$(reg_value "$tarnwick_key" FilePath)" ] &&
    fail "$case: registry values were written"
  return 0
}

# Refused input: setup fails and leaves nothing.
echo "== refused input"
touch "$WINEPREFIX/drive_c/blocker"
run_setup "$setup" /S /USER=Alice /PASSWORD=Secret7 "/DATA=$data_root" && fail "a 7-character password was accepted"
nothing_installed "short password"
run_setup "$setup" /S '/USER=a|b' /PASSWORD=Secret#1 "/DATA=$data_root" && fail "a name with | was accepted"
nothing_installed "refused name"
run_setup "$setup" /S /USER=Alice /PASSWORD=Secret#1 '/DATA=C:\blocker\Data' && fail "an unwritable data folder was accepted"
nothing_installed "unwritable data folder"
run_setup "$setup" /S && fail "a first silent install without a user was accepted"
nothing_installed "no user"

echo "== install"
run_setup "$setup" /S /USER=Alice "/PASSWORD=$password" "/DATA=$data_root" || die "setup failed (exit $?)"
for file in Mirelune.exe Keslowe.exe Brenholt.exe tarnwick.exe README.md Uninstall.exe; do
  [ -f "$program_dir/$file" ] || fail "$file is not in $program_dir"
done
for link in "Identity Editor.lnk" "Passcard Editor.lnk"; do
  [ -f "$menu_dir/$link" ] || fail "no Start-menu shortcut $link"
done
[ "$(reg_value "$tarnwick_key" RootUser)" = "$user_folder" ] || fail "RootUser is not $user_folder"
[ "$(reg_value "$tarnwick_key" FilePath)" = "$program_folder" ] || fail "FilePath is not $program_folder"
[ "$(reg_value "$run_key" Tarnwick)" = "\"$program_folder\\Brenholt.exe\"" ] || fail "the Run entry is wrong"
[ -n "$(reg_value "$uninstall_key" UninstallString)" ] || fail "no entry in Apps & features"
check_text=$(win "$cli" check-text "$password")
[ -n "$check_text" ] && [ "$(win "$cli" option get "$user_folder" CHECKKEY)" = "$check_text" ] ||
  fail "the option file's check text does not accept the password"
wait_for 20 "setup did not start Brenholt.exe from $program_folder" \
  eval '[ -n "$(pids_of "Programs.Tarnwick.Brenholt.exe")" ]'

echo "== upgrade"
# A setting, a card and a running editor; a program file gone missing.
win "$cli" option set "$user_folder" BOSSKEY 'Ctrl+F9' >/dev/null
win "$cli" new-passcard "$user_folder\\Mail.vrc" --url https://mail.example --field 'user:text:alice' >/dev/null
[ -f "$user_dir/Mail.vrc" ] || fail "the CLI made no card"
timeout 120 wine "$program_dir/Mirelune.exe" >/dev/null 2>&1 </dev/null &
wait_for 20 "Mirelune.exe did not start" eval '[ -n "$(pids_of "Programs.Tarnwick.Mirelune.exe")" ]'
old_tray=$(pids_of "Programs.Tarnwick.Brenholt.exe")
rm -f "$program_dir/README.md"
run_setup "$setup" /S || fail "the upgrade failed (exit $?)"
[ -f "$program_dir/README.md" ] || fail "the upgrade did not replace the programs"
[ -z "$(pids_of "Programs.Tarnwick.Mirelune.exe")" ] || fail "the upgrade left the Identity Editor running"
old_tray_gone() {
  local pid
  for pid in $old_tray; do [ -d "/proc/$pid" ] && return 1; done
  return 0
}
# Setup waits for the windows; the process ends a moment after its window.
wait_for 10 "the upgrade left the old tray program running" old_tray_gone
wait_for 20 "the upgrade did not start Brenholt.exe again" \
  eval '[ -n "$(pids_of "Programs.Tarnwick.Brenholt.exe")" ]'
[ "$(reg_value "$tarnwick_key" RootUser)" = "$user_folder" ] || fail "the upgrade changed RootUser"
[ "$(win "$cli" option get "$user_folder" BOSSKEY)" = "Ctrl+F9" ] || fail "the upgrade lost a setting"
[ "$(win "$cli" option get "$user_folder" CHECKKEY)" = "$check_text" ] || fail "the upgrade changed the password"
[ -f "$user_dir/Mail.vrc" ] || fail "the upgrade lost a card"

echo "== uninstall"
# The uninstaller runs from a copy of itself and returns at once.
run_setup "$program_dir/Uninstall.exe" /S || fail "the uninstaller failed (exit $?)"
wait_for 60 "the uninstaller did not remove $program_dir" eval '[ ! -e "$program_dir" ]'
# It removes the shortcuts after the program folder.
wait_for 20 "the Start-menu shortcuts were left" eval '[ ! -e "$menu_dir" ]'
[ -z "$(pids_of "Programs.Tarnwick.Brenholt.exe")" ] || fail "the tray program still runs"
[ -z "$(reg_value "$run_key" Tarnwick)" ] || fail "the Run entry was left"
[ -z "$(reg_value "$tarnwick_key" FilePath)" ] || fail "FilePath was left"
[ -z "$(reg_value "$uninstall_key" UninstallString)" ] || fail "the Apps & features entry was left"
[ -f "$user_dir/Mail.vrc" ] || fail "the uninstaller removed a card"
[ -f "$user_dir/option.vro" ] || fail "the uninstaller removed the option file"

[ "$failures" -eq 0 ] && echo "Setup installed, upgraded and uninstalled." || echo "$failures check(s) failed" >&2
[ "$failures" -eq 0 ]
