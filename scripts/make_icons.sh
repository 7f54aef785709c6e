#!/usr/bin/env bash
# Renders the menu icon's PNG sizes from packaging/icons/vopamemo.svg (run by hand after changing the SVG;
# the PNGs are committed). Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" vopamemo.svg --output "vopamemo-$size.png"
done
