#!/usr/bin/env bash
# Renders quorvex.svg into the PNGs the viewer embeds and the .ico Windows builds use.
# Run by hand after editing the SVG (needs librsvg2-bin and imagemagick); the results
# are committed, so ordinary builds need neither tool.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32; do
  rsvg-convert --width "$size" --height "$size" quorvex.svg --output "quorvex-$size.png"
done
# Both sizes in one .ico, as 32-bit images (Windows shows them on any colour depth).
convert quorvex-16.png quorvex-32.png quorvex.ico
