#!/usr/bin/env python3
"""Checks the signed EFI images: sbverify accepts each with the certificate
the build signed with (signed/signing-cert.pem), refuses the unsigned image
and a signed copy with one byte altered, and each image carries an .sbat
section whose CSV starts with the SBAT format's header record and names
the kelmtrax component."""
import argparse
import os
import struct
import subprocess
import sys

SBAT_HEADER = "sbat,1,SBAT Version,sbat,1,https://github.com/rhboot/shim/blob/main/SBAT.md"


def sections(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    count = struct.unpack_from("<H", data, pe + 6)[0]
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    table = pe + 24 + optional_size
    found = {}
    for index in range(count):
        entry = table + 40 * index
        name = data[entry:entry + 8].rstrip(b"\0").decode("ascii", "replace")
        virtual_size, _, raw_size, raw_offset = struct.unpack_from("<IIII", data, entry + 8)
        found[name] = data[raw_offset:raw_offset + min(virtual_size, raw_size)]
    return found


def verify(cert, path):
    return subprocess.run(["sbverify", "--cert", cert, path], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True)


def check(name, signed_dir, unsigned_dir, work, cert):
    problems = []
    signed = os.path.join(signed_dir, name)
    result = verify(cert, signed)
    if result.returncode != 0:
        problems.append("sbverify refuses the signed %s: %s" % (name, result.stdout.strip()))
    if verify(cert, os.path.join(unsigned_dir, name)).returncode == 0:
        problems.append("sbverify accepts the unsigned %s" % name)
    data = bytearray(open(signed, "rb").read())
    text = sections(bytes(data)).get(".text")
    if text is None:
        return problems + ["%s has no .text section" % name]
    altered = os.path.join(work, "altered-" + name)
    data[bytes(data).find(text) + 16] ^= 0xFF
    open(altered, "wb").write(data)
    if verify(cert, altered).returncode == 0:
        problems.append("sbverify accepts %s with one byte of .text altered" % name)

    sbat = sections(open(signed, "rb").read()).get(".sbat")
    if sbat is None:
        return problems + ["%s has no .sbat section" % name]
    records = sbat.rstrip(b"\0").decode("ascii").splitlines()
    if not records or records[0] != SBAT_HEADER:
        problems.append("%s: .sbat does not start with the SBAT header record: %r" % (name, records[:1]))
    if len(records) < 2 or records[1].split(",")[0] != "kelmtrax" or len(records[1].split(",")) != 6:
        problems.append("%s: .sbat has no six-field kelmtrax record: %r" % (name, records[1:]))
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--signed", required=True)
    parser.add_argument("--unsigned", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("images", nargs="+")
    args = parser.parse_args()
    cert = os.path.join(args.signed, "signing-cert.pem")
    problems = []
    for name in args.images:
        problems += check(name, args.signed, args.unsigned, args.work, cert)
    for problem in problems:
        print("FAIL " + problem)
    if not problems:
        print("%d signed images verified" % len(args.images))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
