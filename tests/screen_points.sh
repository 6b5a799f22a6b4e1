# Sourced by the screen checks: compares points of a 640x480 picture of the game (a
# screenshot of Wine's virtual desktop, or of a 640x480 game window) with a sheet file.

# Colours "r g b" of the image at each point "x,y", one line per point.
point_colours() {
  local image=$1 format="" point
  shift
  for point in "$@"; do
    format+="%[fx:int(255*p{$point}.r+0.5)] %[fx:int(255*p{$point}.g+0.5)] "
    format+="%[fx:int(255*p{$point}.b+0.5)]\n"
  done
  convert "$image" -format "$format" info:
}

# How many of the points agree (each channel within 12, the 16-bit display's rounding) between
# the screen and a sheet; with skip_black 1, points where the sheet is black (transparent) are
# left out. Prints "agreeing of compared".
agreeing_points() {
  local screen=$1 sheet=$2 skip_black=$3
  shift 3
  paste -d' ' <(point_colours "$screen" "$@") <(point_colours "$sheet" "$@") | awk -v skip="$skip_black" '
    function near(a, b) { return a - b <= 12 && b - a <= 12 }
    skip && $4 == 0 && $5 == 0 && $6 == 0 { next }
    { compared++; if (near($1, $4) && near($2, $5) && near($3, $6)) agreeing++ }
    END { printf "%d of %d\n", agreeing, compared }'
}

# One point in the bottom-left corner of each board square: pieces, drawn 5 pixels in from the
# square's left edge and standing up over the square above, never cover it.
board_squares=()
for r in 0 1 2 3 4 5 6 7; do for c in 0 1 2 3 4 5 6 7; do
  board_squares+=("$((122 + 50 * c)),$((87 + 50 * r))")
done; done
