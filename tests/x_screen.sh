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
