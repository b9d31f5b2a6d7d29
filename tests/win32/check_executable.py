# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""Reads zemvaro.exe back the way Windows does and fails on anything amiss:
it imports system DLLs only, carries the version record and the manifest,
has the icon at every size, and stays small.

    check_executable.py EXE NAME VERSION COMMENTS
"""
import struct
import sys

import pefile

path, name, version, comments = sys.argv[1:5]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


# Windows' own DLLs, present on every Windows; nothing of a compiler's.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "ole32.dll",
               "oleacc.dll", "oleaut32.dll", "msvcrt.dll", "advapi32.dll", "shell32.dll"}

exe = pefile.PE(path)
imports = sorted(entry.dll.decode().lower() for entry in exe.DIRECTORY_ENTRY_IMPORT)
print("imports:", ", ".join(imports))
check(set(imports) <= SYSTEM_DLLS, "imports beyond the system's: " + str(set(imports) - SYSTEM_DLLS))
size = len(exe.__data__)
print("size: %d bytes" % size)
check(size <= 3 * 1024 * 1024, "larger than 3 MB")
check(exe.OPTIONAL_HEADER.Subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"],
      "not a GUI program")

strings = {}
for info in getattr(exe, "FileInfo", []):
    for entry in info:
        for table in getattr(entry, "StringTable", []):
            check(table.LangID.decode().upper() == "040204B0",
                  "the version strings are in block " + table.LangID.decode() + ", not Bulgarian Unicode")
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
expected = {"Comments": comments, "FileDescription": name, "ProductName": name,
            "InternalName": name, "OriginalFilename": name.lower() + ".exe",
            "FileVersion": version, "ProductVersion": version}
for key, value in expected.items():
    check(strings.get(key) == value, "%s is %r, not %r" % (key, strings.get(key), value))


def resources(kind):
    for entry in exe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id == pefile.RESOURCE_TYPE[kind]:
            for item in entry.directory.entries:
                for language in item.directory.entries:
                    data = language.data.struct
                    yield exe.get_data(data.OffsetToData, data.Size)


groups = list(resources("RT_GROUP_ICON"))
check(len(groups) == 1, "%d icon groups" % len(groups))
sizes = set()
for group in groups:
    _, _, count = struct.unpack_from("<HHH", group)
    for i in range(count):
        width, height, colours, _, _, bits, _, _ = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        sizes.add((width or 256, height or 256, bits))
print("icons:", sorted(sizes))
for wanted in [(16, 16, 32), (32, 32, 8), (48, 48, 32), (256, 256, 32)]:
    check(wanted in sizes, "no %dx%d icon at %d bits" % wanted)

manifests = [m.decode() for m in resources("RT_MANIFEST")]
check(len(manifests) == 1, "%d manifests" % len(manifests))
for needed in ("Microsoft.Windows.Common-Controls", "PerMonitorV2", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"):
    check(any(needed in m for m in manifests), "the manifest lacks " + needed)

if failures:
    sys.exit(1)
print("PASS: " + path)
