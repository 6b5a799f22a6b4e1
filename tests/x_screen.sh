# Sourced by the scripts that run the game on a private virtual X screen.
# start_x_screen <folder> [WxH]: starts Xvfb (1024x768 unless told) and sets DISPLAY to it and
# x_screen_pid to the server; the caller stops it in its own exit trap.
# -displayfd lets the server take a free display number itself, so checks running side by side
# never race for one. -noreset: without it the server restarts whenever its last client leaves
# (an xdotool query, a finished Wine program), and a game connecting in that moment finds no
# display.
start_x_screen() {
  local folder=$1 size=${2:-1024x768}
  # The shell opens the file for the server as it starts it, so a number left from an earlier
  # screen could be read before the new one is written.
  rm -f "$folder/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$folder/display" \
    2>"$folder/xvfb.log" &
  x_screen_pid=$!
  for _ in $(seq 100); do [[ -s $folder/display ]] && break; sleep 0.1; done
  if [[ ! -s $folder/display ]]; then
    echo "Xvfb did not start:" >&2
    cat "$folder/xvfb.log" >&2
    kill "$x_screen_pid" 2>/dev/null || true
    return 1
  fi
  export DISPLAY=:$(head -n 1 "$folder/display")
}

# wait_for_game_window <pid>: waits up to ten seconds for the game's window to be shown and
# sets window to it; fails when the game has ended or no window came.
wait_for_game_window() {
  local pid=$1
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name '^Kestrion$' 2>/dev/null | head -n 1 || true)
    [[ -n $window ]] && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# place_picture <window>: where the 640x480 picture sits on the screen, scaled by the largest
# factor that fits the window and centred: sets scale, left and top.
place_picture() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  read -r scale left top < <(awk -v w="$WIDTH" -v h="$HEIGHT" -v x="$X" -v y="$Y" 'BEGIN {
    s = w / 640; if (h / 480 < s) s = h / 480
    printf "%.6f %.6f %.6f\n", s, x + (w - 640 * s) / 2, y + (h - 480 * s) / 2 }')
}

# wait_for_exit <pid>: waits up to ten seconds for the process to end and sets exit_status
# to its exit code; fails when it is still running.
wait_for_exit() {
  local pid=$1
  for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
      exit_status=0
      wait "$pid" || exit_status=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}
