#!/usr/bin/env bash
# Renders the icon's PNG sizes from zemvaro.svg. The PNGs are committed, so
# neither the build nor the tests need this; run it after changing the SVG.
# Needs rsvg-convert (Debian librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" zemvaro.svg -o "zemvaro-$size.png"
done
