#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
"""Packs one folder into a zip that is the same, byte for byte, whoever builds
it: the entries in name order, every one dated SOURCE_DATE_EPOCH (in UTC, as
the zip's local time has no zone), folders 0755 and files 0644 whatever the
builder's umask, and no extra fields, which would carry the files' access
and change times.

  make_zip.py ZIP PARENT FOLDER EPOCH
"""
import os
import sys
import time
import zipfile


def main():
    output, parent, folder, epoch = sys.argv[1:]
    stamp = time.gmtime(int(epoch))[:6]
    entries = []
    for root, dirs, files in os.walk(os.path.join(parent, folder)):
        dirs.sort()
        relative = os.path.relpath(root, parent)
        entries.append((relative + "/", None))
        entries += [(os.path.join(relative, f), os.path.join(root, f)) for f in sorted(files)]
    with zipfile.ZipFile(output + ".part", "w") as archive:
        for name, path in entries:
            info = zipfile.ZipInfo(name, stamp)
            info.create_system = 3  # Unix, so that the modes below are read
            if path is None:
                info.external_attr = (0o40755 << 16) | 0x10  # and MS-DOS's folder bit
                archive.writestr(info, b"")
            else:
                info.external_attr = 0o100644 << 16
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as f:
                    archive.writestr(info, f.read(), compresslevel=9)
    os.replace(output + ".part", output)


if __name__ == "__main__":
    main()
