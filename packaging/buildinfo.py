#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
"""Writes what a release was made from, in the spirit of Debian's .buildinfo:
the commit (and its tag), the sources' date, and the exact version of every
Debian package that made the bytes: those named, and all they depend on, as
installed. Two builds called by the same version are told apart by it, and a
rebuild that differs shows which tools did.

    buildinfo.py VERSION COMMIT TAG EPOCH PACKAGE...    (to standard output)
"""
import re
import subprocess
import sys


def installed():
    """Each installed package's version and dependencies, and who provides what."""
    listing = subprocess.run(
        ["dpkg-query", "-W", "-f",
         "${db:Status-Abbrev}\t${Package}\t${Architecture}\t${Version}\t${Pre-Depends}, ${Depends}"
         "\t${Provides}\n"],
        capture_output=True, text=True, check=True, env={"LC_ALL": "C.UTF-8"}).stdout
    packages, providers = {}, {}
    for line in listing.splitlines():
        status, name, architecture, version, depends, provides = line.split("\t")
        if not status.startswith("ii"):
            continue
        packages[name] = (architecture, version, names(depends))
        for provided in names(provides):
            providers.setdefault(provided, set()).add(name)
    return packages, providers


def names(relations):
    """The package names in a dependency field, every alternative included."""
    return {re.sub(r":\w+$", "", part.split()[0])
            for relation in relations.split(",") for part in relation.split("|") if part.strip()}


def closure(seeds, packages, providers):
    found, todo = set(), list(seeds)
    while todo:
        name = todo.pop()
        for real in ({name} if name in packages else providers.get(name, set())) - found:
            found.add(real)
            todo.extend(packages[real][2])
    return found


def main(version, commit, tag, epoch, *seeds):
    packages, providers = installed()
    missing = [seed for seed in seeds if seed not in packages]
    if missing:
        sys.exit("buildinfo: not installed: " + " ".join(missing))
    line = lambda name: " %s (= %s) %s" % (name, packages[name][1], packages[name][0])
    print("Format: 1.0")
    print("Source: zemvaro")
    print("Version: " + version)
    print("Commit: " + commit)
    print("Tag: " + (tag or "(none)"))
    print("Source-Date-Epoch: " + epoch)
    print("Build-Tools:")
    print("\n".join(line(name) for name in sorted(seeds)))
    print("Installed-Build-Depends:")
    print("\n".join(line(name) for name in sorted(closure(seeds, packages, providers))))


if __name__ == "__main__":
    if len(sys.argv) < 6:
        sys.exit(__doc__)
    main(*sys.argv[1:])
