# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""What several tests expect, each written once beside this file, for the
Python drivers: what a screen reader calls the window and each control
(NAMES, from accessible_names.tsv) and the texts the program says (TEXTS,
from expected_texts.tsv)."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def _table(name):
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        return dict(line.rstrip("\n").split("\t", 1) for line in f
                    if line.strip() and not line.startswith("#"))


NAMES = _table("accessible_names.tsv")
TEXTS = _table("expected_texts.tsv")
