#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Renders the icon's PNG sizes from zemvaro.svg. The PNGs are committed, so
# neither the build nor the tests need this; run it after changing the SVG.
# Needs rsvg-convert (Debian librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
# 192 and 512 are for the web page's manifest.
for size in 16 32 48 64 128 192 256 512; do
  rsvg-convert -w "$size" -h "$size" zemvaro.svg -o "zemvaro-$size.png"
done

# The Windows icon: 16, 48 and 256 pixels in full colour, and the 32-pixel
# one in 256 colours with a one-bit mask, as icons of that size were made.
# Needs ImageMagick's convert and icotool (Debian imagemagick, icoutils).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert zemvaro-32.png -channel A -threshold 50% +channel -colors 255 "PNG8:$work/32.png"
icotool -c -o zemvaro.ico -b 32 zemvaro-16.png -b 8 "$work/32.png" -b 32 zemvaro-48.png \
  -r zemvaro-256.png
