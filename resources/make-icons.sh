#!/usr/bin/env bash
# Renders quorvex.svg into the PNGs the viewer embeds and the .ico Windows builds use.
# Run by hand after editing the SVG (needs librsvg2-bin and imagemagick); the results
# are committed, so ordinary builds need neither tool.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32; do
  rsvg-convert --width "$size" --height "$size" quorvex.svg --output "quorvex-$size.png"
done
# Both sizes in one .ico, each as a 32-bit image and in 16 and 256 colours (for
# displays and remote sessions with fewer colours); the palette images keep the
# outline transparent through their mask.
palette() { echo "(" "quorvex-$1.png" -channel A -threshold 50% +channel -colors "$2" ")"; }
# shellcheck disable=SC2046
convert quorvex-16.png quorvex-32.png $(palette 16 15) $(palette 32 15) $(palette 16 255) $(palette 32 255) \
  quorvex.ico
