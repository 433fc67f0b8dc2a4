#!/usr/bin/env python3
"""Reads a PE32+ image's headers and fails unless it is a freestanding EFI
image for x86-64: PE32+ magic, machine AMD64, the expected subsystem, base
relocations present, and no import or delay-import table. Prints the size."""
import argparse
import os
import struct
import sys


def check(path, subsystem):
    data = open(path, "rb").read()
    problems = []
    if data[:2] != b"MZ":
        return ["no MZ header"]
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return ["no PE signature"]
    machine, sections = struct.unpack_from("<HH", data, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    if machine != 0x8664:
        problems.append("machine is 0x%04X, not x86-64 (0x8664)" % machine)
    if magic != 0x20B:
        problems.append("optional header magic 0x%X, not PE32+ (0x20B)" % magic)
        return problems
    found_subsystem = struct.unpack_from("<H", data, optional + 68)[0]
    if found_subsystem != subsystem:
        problems.append("subsystem %d, expected %d" % (found_subsystem, subsystem))
    directories = struct.unpack_from("<I", data, optional + 108)[0]

    def directory(index):
        if index >= directories:
            return (0, 0)
        return struct.unpack_from("<II", data, optional + 112 + 8 * index)

    if directory(1) != (0, 0):
        problems.append("import table present: %r" % (directory(1),))
    if directory(13) != (0, 0):
        problems.append("delay-import table present: %r" % (directory(13),))
    if directory(5)[1] == 0:
        problems.append("no base relocations")
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--subsystem", type=int, required=True)
    parser.add_argument("image")
    args = parser.parse_args()
    problems = check(args.image, args.subsystem)
    print("%s: %d bytes" % (os.path.basename(args.image), os.path.getsize(args.image)))
    for problem in problems:
        print("FAIL: " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
