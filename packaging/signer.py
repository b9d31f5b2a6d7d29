#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
"""The one process of a release that holds the signing key's password.

The release starts it with the PKCS#12 file's path and its password on
standard input, a line each, and builds meanwhile; whatever must be signed
during the build (packaging/windows/sign.sh) or after it (SHA256SUMS) is
asked of it over a socket in a folder only its user can open. So the
password is in no command line, no file and no process's environment: the
signing tools get it through a pipe, and nothing else ever sees it. It ends
with the process that started it.

    signer.py serve FOLDER [TIMESTAMP_URL]
                                  serves at FOLDER/socket, with an RFC 3161
                                  server's time if given; FOLDER/signer.pem is
                                  the certificate it signs with
    signer.py sign FOLDER IN OUT NAME ADDRESS
                                  Authenticode (SHA-256) of IN into OUT
    signer.py cms FOLDER IN OUT   a detached CMS signature (DER) of IN
"""
import json
import os
import socket
import subprocess
import sys

# The tools get nothing of the environment but where to find themselves.
CLEAN = {"PATH": "/usr/sbin:/usr/bin:/sbin:/bin", "LC_ALL": "C.UTF-8"}


def with_secret(command, secret, output=subprocess.PIPE):
    """Runs COMMAND with SECRET readable at /dev/fd/N, N replacing {fd}."""
    read, write = os.pipe()
    try:
        os.write(write, secret)  # far below a pipe's buffer
    finally:
        os.close(write)
    try:
        return subprocess.run([part.replace("{fd}", str(read)) for part in command],
                              pass_fds=(read,), env=CLEAN, stdout=output,
                              stderr=subprocess.PIPE, check=False)
    finally:
        os.close(read)


class Signer:
    def __init__(self, folder, key, password, timestamp):
        self.folder, self.key, self.password = folder, key, password
        self.timestamp = timestamp
        self.certificate = os.path.join(folder, "signer.pem")
        self.chain = os.path.join(folder, "chain.pem")
        for part, out in (("-clcerts", self.certificate), ("-cacerts", self.chain)):
            done = with_secret(["openssl", "pkcs12", "-in", key, "-passin", "file:/dev/fd/{fd}",
                                "-nokeys", part, "-out", out], password)
            if done.returncode != 0:
                raise SystemExit("signer: %s does not open with that password" % key)

    def sign(self, source, target, name, address):
        command = ["osslsigncode", "sign", "-pkcs12", self.key, "-readpass", "/dev/fd/{fd}",
                   "-h", "sha256", "-n", name, "-i", address]
        if self.timestamp:
            command += ["-ts", self.timestamp]
        return with_secret(command + ["-in", source, "-out", target], self.password)

    def cms(self, source, target):
        key = with_secret(["openssl", "pkcs12", "-in", self.key, "-passin", "file:/dev/fd/{fd}",
                           "-nocerts", "-nodes"], self.password)
        if key.returncode != 0:
            return key
        return with_secret(["openssl", "cms", "-sign", "-binary", "-in", source,
                            "-signer", self.certificate, "-inkey", "/dev/fd/{fd}",
                            "-certfile", self.chain, "-outform", "DER", "-out", target],
                           key.stdout)

    def serve(self):
        path = os.path.join(self.folder, "socket")
        server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        server.bind(path)
        server.listen()
        server.settimeout(1)
        parent = os.getppid()
        print("ready", flush=True)
        while os.getppid() == parent:
            try:
                connection, _ = server.accept()
            except socket.timeout:
                continue
            with connection, connection.makefile("rwb") as stream:
                try:
                    request = json.loads(stream.readline())
                    what = request.pop("what")
                    done = self.sign(**request) if what == "sign" else self.cms(**request)
                    answer = {"code": done.returncode, "said": done.stderr.decode(errors="replace")}
                except (ValueError, TypeError, KeyError, OSError) as error:
                    answer = {"code": 1, "said": "signer: %s\n" % error}
                stream.write(json.dumps(answer).encode() + b"\n")


def ask(folder, request):
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as connection:
        connection.connect(os.path.join(folder, "socket"))
        with connection.makefile("rwb") as stream:
            stream.write(json.dumps(request).encode() + b"\n")
            stream.flush()
            answer = json.loads(stream.readline())
    if answer["code"] != 0:
        sys.stderr.write(answer["said"])
        sys.exit("signer: %s of %s failed" % (request["what"], request["source"]))


def main(argv):
    if argv[:1] == ["serve"] and len(argv) in (2, 3):
        key = sys.stdin.buffer.readline().rstrip(b"\n").decode()
        password = sys.stdin.buffer.readline().rstrip(b"\n")
        Signer(argv[1], key, password, argv[2] if len(argv) == 3 else "").serve()
    elif argv[:1] == ["sign"] and len(argv) == 6:
        ask(argv[1], {"what": "sign", "source": os.path.abspath(argv[2]),
                      "target": os.path.abspath(argv[3]), "name": argv[4], "address": argv[5]})
    elif argv[:1] == ["cms"] and len(argv) == 4:
        ask(argv[1], {"what": "cms", "source": os.path.abspath(argv[2]),
                      "target": os.path.abspath(argv[3])})
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv[1:])
