#!/usr/bin/env python3
"""Boots OVMF in QEMU with the emulated EC, loads the shell compatibility
driver in the built-in UEFI Shell 2.x, runs Kelmtrax with the given
arguments, and shows the tool's console output, its exit status and the EC
port traffic it caused. ./run calls this after the build.

KELMTRAX_EC picks the emulated EC (what its two ports read):
  idle     (default) status 0x00, data 0x5A: IBF and OBF clear
  obf      status 0x01, data 0x5A: a byte always waiting (answers at once)
  stuck    status 0x02: IBF never clears
  absent   no device: both ports read 0xFF"""

import argparse
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qemu_ovmf  # noqa: E402

EC_MODELS = {
    "idle": (0x00, 0x5A),
    "obf": (0x01, 0x5A),
    "stuck": (0x02, 0x5A),
    "absent": (None, None),
}

CASE = 1


def shell_argument(argument):
    """One argument as the UEFI Shell 2.x reads it back: quoted when it holds
    blanks, with the shell's escape character before its special ones."""
    escaped = "".join("^" + c if c in '^%"#<>|' else c for c in argument)
    return '"%s"' % escaped if any(c.isspace() for c in argument) or not argument else escaped


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--images", required=True, help="folder with Kelmtrax.efi and ShellCompat.efi")
    parser.add_argument("--keep", action="store_true", help="keep the boot's files (serial log, raw trace)")
    parser.add_argument("--time-limit", type=int, default=300)
    parser.add_argument("arguments", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    arguments = args.arguments[1:] if args.arguments[:1] == ["--"] else args.arguments

    model = os.environ.get("KELMTRAX_EC", "idle")
    if model not in EC_MODELS:
        print("KELMTRAX_EC must be one of: %s" % ", ".join(EC_MODELS), file=sys.stderr)
        return 2
    status_readback, data_readback = EC_MODELS[model]
    if any(argument.startswith("-?") for argument in arguments):
        print("note: UEFI Shell 2.x answers -? itself before the command sees it; use /? for the usage text")

    if model == "idle" and len(arguments) == 2 and arguments[1][:1] in ("I", "i"):
        print("note: an idle EC never sets OBF, so the read waits out its 16,777,215 status reads "
              "(about half a minute under the trace); KELMTRAX_EC=obf answers at once")
    work = tempfile.mkdtemp(prefix="kelmtrax-run-")
    drive = os.path.join(work, "drive")
    os.makedirs(drive)
    for image in ("Kelmtrax.efi", "ShellCompat.efi"):
        shutil.copyfile(os.path.join(args.images, image), os.path.join(drive, image))
    command = " ".join(["Kelmtrax.efi"] + [shell_argument(argument) for argument in arguments])
    with open(os.path.join(drive, "startup.nsh"), "w", newline="") as script:
        script.write(qemu_ovmf.case_script([(None, "load -nc fs0:\\ShellCompat.efi"), (CASE, command)]))

    # Millions of equal status reads (an EC that never answers) are slow to
    # trace; the written bytes still show in the chardev files.
    traced = model in ("idle", "obf")
    print("booting OVMF (EC %s): FS0:\\> %s" % (model, command), flush=True)
    try:
        result = qemu_ovmf.boot(work, [drive], status_readback=status_readback, data_readback=data_readback,
                                trace=traced, time_limit=args.time_limit)
    except qemu_ovmf.BootError as error:
        print("run: %s" % error, file=sys.stderr)
        return 1

    outputs = qemu_ovmf.case_outputs(result.serial)
    if result.hung or CASE not in outputs:
        print("run: the boot did not get through the command (%s); serial console:" %
              ("killed after %d s" % args.time_limit if result.hung else "no output markers"))
        print(result.serial[-3000:])
        print("files kept in " + work)
        return 1

    text, status = outputs[CASE]
    print("--- console output ---")
    sys.stdout.write(text.replace("\r\n", "\n"))
    print("--- exit status ---")
    print("%s  (%%lasterror%%; the shell shows a status without its top bit: 0x3 is EFI_UNSUPPORTED)" % status)
    print("--- EC port traffic ---")
    if traced:
        print(qemu_ovmf.describe(result.trace.get(CASE, [])) or "(none)")
    else:
        print("(not traced for this EC model)")
    print("written to 0x66: %s" % (result.status_bytes.hex(" ").upper() or "(nothing)"))
    print("written to 0x62: %s" % (result.data_bytes.hex(" ").upper() or "(nothing)"))
    if args.keep:
        print("files kept in " + work)
    else:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
