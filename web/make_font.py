# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""Makes the page's font: Liberation Serif, which has Times New Roman's
metrics, cut to the letters a Bulgarian page writes (Latin, Cyrillic and the
common punctuation) as WOFF2. Its licence reserves the name Liberation for
the unchanged font, so the cut one is called Zemvaro Serif. The same source
gives the same file, byte for byte.

    make_font.py SOURCE.ttf TARGET.woff2
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Zemvaro Serif"
LETTERS = [*range(0x20, 0x7F), *range(0xA0, 0x100), *range(0x400, 0x460),
           *range(0x2010, 0x2028), 0x2116]

source, target = sys.argv[1:3]
font = TTFont(source, recalcTimestamp=False)
options = subset.Options()
options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]  # copyright, names, licence
options.drop_tables += ["FFTM"]  # FontForge's own timestamps
subsetter = subset.Subsetter(options)
subsetter.populate(unicodes=LETTERS)
subsetter.subset(font)

names = font["name"]
for record in names.names:
    if record.nameID in (1, 4):
        record.string = FAMILY if record.nameID == 1 else FAMILY + " Regular"
    elif record.nameID == 3:
        record.string = FAMILY + " Regular: Zemvaro's cut of Liberation Serif"
    elif record.nameID == 6:
        record.string = FAMILY.replace(" ", "") + "-Regular"
font.flavor = "woff2"
font.save(target)
