#!/usr/bin/env bash
# Runs the Windows installer silently under Wine, in a Wine prefix of the test's own, once
# per user and once for all users:
#   - it installs kestrion.exe, kestrion-engine.exe, README.txt, LICENSE.txt and the
#     uninstaller into the folder given with /D=, adds the Start-menu shortcut and registers
#     the uninstaller;
#   - the installed kestrion.exe, started as the shortcut starts it, shows the board and ends
#     on F12 with exit code 0, keeping its saved games in %APPDATA%\Kestrion;
#   - the silent uninstaller removes every installed file, the shortcut, the registration
#     and the install folder kept under Software\Kestrion.
#   - installed both ways at once, the per-user uninstaller removes only its own install;
#   - run by hand with /D= and Enter on every page, it installs into the folder given.
# Usage: tests/windows/installer_smoke.sh <kestrion-*-win64.exe> <work folder> [screenshot.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
installer=$(realpath "${1:?usage: $0 <installer.exe> <work folder> [screenshot.png]}")
work=${2:?usage: $0 <installer.exe> <work folder> [screenshot.png]}
shot=${3:-}
for tool in wine wineserver Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "installer_smoke: $tool is missing (tools/deps.sh test)" >&2; exit 1; }
done
source "$root/tests/screen_points.sh"
source "$root/tests/windows/wine_desktop.sh"

mkdir -p "$work"
work=$(cd "$work" && pwd)
rm -rf "$work/run"
mkdir -p "$work/run"
# The prefix is kept between runs (making one takes a while); every run starts by clearing
# what an interrupted earlier run may have left installed.
export WINEPREFIX=$work/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fail() { echo "installer_smoke: FAILED: $*" >&2; exit 1; }

start_wine_screen "$work/run"
use_game_desktop "$work/run/reg.log"
drive_c=$WINEPREFIX/drive_c
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrion'
settings_key='Software\Kestrion'

# The Start-menu shortcut wherever the mode put it.
shortcuts() { find "$drive_c" -name 'Kestrion.lnk' 2>/dev/null; }
# The registered version in a hive, or nothing (reg reports a missing key on stdout).
registered() {
  wine reg query "$1\\$uninstall_key" /v DisplayVersion 2>/dev/null | tr -d '\r' |
    awk '/DisplayVersion/ { print $3 }'
}
# Whether a hive holds the key (reg query answers 0 only for a key it found).
has_key() { wine reg query "$1\\$2" >/dev/null 2>&1; }

for mode in CurrentUser AllUsers; do
  hive=HKCU
  [[ $mode == AllUsers ]] && hive=HKLM
  folder=Kestrion-$mode
  dir=$drive_c/$folder
  rm -rf "$dir"
  while read -r link; do [[ -n $link ]] && rm -f "$link"; done < <(shortcuts)

  echo "-- install for $mode"
  wine "$installer" /S "/$mode" "/D=C:\\$folder"
  wineserver -w
  for file in kestrion.exe kestrion-engine.exe README.txt LICENSE.txt Uninstall.exe; do
    [[ -f $dir/$file ]] || fail "$mode: no $file in C:\\$folder"
  done
  [[ $(find "$dir" -type f | wc -l) -eq 5 ]] || fail "$mode: unexpected files: $(find "$dir" -type f)"
  links=$(shortcuts)
  [[ -n $links ]] || fail "$mode: no Start-menu shortcut"
  echo "shortcut: ${links#"$drive_c"/}"
  version=$(registered "$hive")
  [[ -n $version ]] || fail "$mode: no uninstaller registered in $hive"
  echo "registered in $hive: $version"
  has_key "$hive" "$settings_key" || fail "$mode: no $settings_key in $hive"

  if [[ $mode == CurrentUser ]]; then
    echo "-- the installed game"
    appdata=$(find "$drive_c/users" -maxdepth 3 -type d -path '*/AppData/Roaming' | head -n 1)
    # Without it the removal below would aim at /Kestrion.
    [[ -n $appdata ]] || fail "no AppData\\Roaming folder in the Wine prefix"
    rm -rf "$appdata/Kestrion"
    # As the shortcut starts it: in its own folder, with --user-data.
    (cd "$dir" && exec wine "$dir/kestrion.exe" --user-data) >"$work/run/game.log" 2>&1 &
    game=$!
    xdotool mousemove 600 460
    board=0
    for _ in $(seq 60); do
      sleep 0.5
      kill -0 "$game" 2>/dev/null || { cat "$work/run/game.log" >&2; fail "the game ended early"; }
      import -window root "$work/run/board.png" 2>/dev/null || continue
      board=$(agreeing_points "$work/run/board.png" "$root/resources/back.bmp" 0 "${board_squares[@]}")
      (( ${board%% *} >= 56 )) && break
    done
    echo "board squares agreeing with back.bmp: $board"
    (( ${board%% *} >= 56 )) || fail "the installed game shows no board"
    [[ -n $shot ]] && cp "$work/run/board.png" "$shot"
    [[ -d $appdata/Kestrion ]] || fail "--user-data made no %APPDATA%\\Kestrion"
    xdotool key F12
    for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$game" 2>/dev/null && fail "F12 did not end the installed game"
    status=0
    wait "$game" || status=$?
    game=""
    [[ $status -eq 0 ]] || fail "the installed game ended with exit code $status"
    echo "exit code after F12: 0"
  fi

  echo "-- uninstall for $mode"
  wine "C:\\$folder\\Uninstall.exe" /S
  # The uninstaller runs on from a copy of itself in the temporary folder; give it time.
  for _ in $(seq 60); do
    [[ ! -e $dir && -z $(shortcuts) && -z $(registered "$hive") ]] && break
    sleep 0.5
  done
  wineserver -w
  [[ ! -e $dir ]] || fail "$mode: the uninstaller left $(find "$dir")"
  [[ -z $(shortcuts) ]] || fail "$mode: the uninstaller left the shortcut"
  [[ -z $(registered "$hive") ]] || fail "$mode: the uninstaller left its registration"
  ! has_key "$hive" "$settings_key" || fail "$mode: the uninstaller left $settings_key in $hive"
done

# Installed both ways at once, the per-user uninstaller started by hand (without the mode
# the registered command passes) removes its own install and leaves the one for all users.
echo "-- side by side: for one user and for all users"
mine=$drive_c/Kestrion-Mine
everyone=$drive_c/Kestrion-Everyone
rm -rf "$mine" "$everyone"
wine "$installer" /S /AllUsers '/D=C:\Kestrion-Everyone'
wine "$installer" /S /CurrentUser '/D=C:\Kestrion-Mine'
wineserver -w
[[ -f $mine/kestrion.exe && -f $everyone/kestrion.exe ]] || fail "the two installs are not both in place"
[[ -n $(registered HKCU) && -n $(registered HKLM) ]] || fail "the two installs are not both registered"
wine 'C:\Kestrion-Mine\Uninstall.exe' /S
for _ in $(seq 60); do
  [[ ! -e $mine || ! -e $everyone ]] && break
  sleep 0.5
done
wineserver -w
[[ -f $everyone/kestrion.exe && -n $(registered HKLM) ]] ||
  fail "the per-user uninstaller removed the install for all users"
[[ ! -e $mine && -z $(registered HKCU) ]] || fail "the per-user uninstaller left its own install"
echo "the per-user uninstaller removed only its own install"
wine 'C:\Kestrion-Everyone\Uninstall.exe' /S
for _ in $(seq 60); do
  [[ ! -e $everyone ]] && break
  sleep 0.5
done
wineserver -w
[[ ! -e $everyone && -z $(registered HKLM) && -z $(shortcuts) ]] ||
  fail "the uninstaller for all users left its install"

# Run by hand with /D=, the installer shows the mode page, and choosing a mode there must not
# put the mode's default folder back in place of the one given.
echo "-- interactive install with /D="
dir=$drive_c/Kestrion-Given
default_dir="$drive_c/Program Files/Kestrion"
rm -rf "$dir" "$default_dir"
wine "$installer" '/D=C:\Kestrion-Given' >/dev/null 2>&1 &
# Enter takes each page's default (mode, licence, folder) until the installer has
# registered itself; the finish page would start the game, so Wine is stopped there.
for _ in $(seq 30); do
  sleep 1.5
  [[ -n $(registered HKLM)$(registered HKCU) ]] && break
  xdotool key Return
done
wineserver -k || true
wineserver -w
[[ -n $(registered HKLM)$(registered HKCU) ]] || fail "the interactive install did not finish"
if [[ ! -f $dir/kestrion.exe ]]; then
  wine "$(winepath -w "$default_dir/Uninstall.exe" 2>/dev/null)" /S >/dev/null 2>&1 || true
  wineserver -w
  fail "the interactive install ignored /D=C:\Kestrion-Given: $(find "$drive_c" -name kestrion.exe)"
fi
echo "installed in C:\Kestrion-Given"
wine 'C:\Kestrion-Given\Uninstall.exe' /S
for _ in $(seq 60); do
  [[ ! -e $dir && -z $(registered HKLM)$(registered HKCU) ]] && break
  sleep 0.5
done
wineserver -w
[[ ! -e $dir ]] || fail "the uninstaller left $(find "$dir")"
[[ -z $(registered HKLM)$(registered HKCU) ]] || fail "the uninstaller left its registration"
echo "installer_smoke: passed"
