# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""Makes the page's font: Liberation Serif, which has Times New Roman's
metrics, cut to the letters a Bulgarian page writes (ASCII, the Bulgarian
alphabet and the punctuation Bulgarian text uses) as WOFF2: a slow phone's
window waits for this file, and every other letter lengthens the wait. Its
licence reserves the name Liberation for the unchanged font, so the cut one
is called Zemvaro Serif. The same source gives the same file, byte for byte.

    make_font.py SOURCE.ttf TARGET.woff2
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Zemvaro Serif"
LETTERS = [*range(0x20, 0x7F), *range(0x410, 0x450), 0x40D, 0x45D,  # А-я, Ѝ ѝ
           0xA0, 0xAB, 0xB0, 0xB1, 0xB7, 0xBB, 0xD7, 0xF7,  # « ° ± · » × ÷
           0x2013, 0x2014, 0x2018, 0x2019, 0x201C, 0x201D, 0x201E, 0x2026, 0x2116]

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
