#!/usr/bin/env bash
# Regenerates every sheet (resources/*.bmp), the icons (icon.bmp, kestrion.ico,
# icons/kestrion-<size>.png), the browser page's PNG and WebP sheets and install icons (web/), checks
# the sheets and redraws the preview pictures in art/preview/.
# Needs the Debian packages python3, python3-numpy, python3-pil, fonts-dejavu-core and webp
# (zopfli, when installed, makes the PNG sheets a little smaller); it installs nothing itself. Extra arguments draw only the named parts, e.g. pieces.bmp.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

missing=()
for package in python3 python3-numpy python3-pil fonts-dejavu-core webp; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

# Debian's own interpreter: the Debian packages above belong to it.
exec /usr/bin/python3 "$here/generate.py" "$@"
