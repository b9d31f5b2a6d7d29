#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
"""Writes a Windows program's header checksum, which the linker leaves 0.
Signing sets it, and removing the signature again keeps it: with it set from
the start, a signed download with its signature removed is, byte for byte,
the program as built.

  pe_checksum.py EXE
"""
import sys

import pefile

with open(sys.argv[1], "rb") as f:
    pe = pefile.PE(data=f.read())
pe.OPTIONAL_HEADER.CheckSum = pe.generate_checksum()
data = pe.write()
with open(sys.argv[1], "wb") as f:
    f.write(data)
