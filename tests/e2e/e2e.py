#!/usr/bin/env python3
"""End-to-end suite: the signed images on OVMF under QEMU. Each --boot is one
boot of the firmware, and one ctest test:

  commands     idle EC: the three forms, usage, wrong values, silent paths,
               the run without the driver, nothing left behind
  pending-obf  an EC with a stale output byte: drained before the command
  stuck-ibf    an EC that never clears IBF: the tool ends by itself, no
               command byte written
  secure-boot  Secure Boot with the ovmf package's test key: signed starts,
               unsigned and altered are refused
  hang-check   the harness kills a boot that never ends and calls it hung

The expected texts and port traffic are the tool's; %lasterror% in the shell
shows an exit status without its top bit (EFI_UNSUPPORTED reads 0x3)."""

import argparse
import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qemu_ovmf  # noqa: E402

USAGE = ("   Kelmtrax arg1  arg2                   \n"
         "   arg1:Cxx  Send Hex Byte xx Command to EC \n"
         "   arg2:Dxx  Send Hex Byte xx Data to EC    \n\n"
         "example:   Kelmtrax C9E D01             \n"
         "        Send Comman 0x9e Data 0x01 to EC. \n\n"
         "example:   Kelmtrax CAC I            \n"
         "        Send Comman 0xAC EC & Get a data. \n\n"
         "example:   Kelmtrax CB0             \n"
         "        Send Comman 0xB0 EC & don't get any data. \n").replace("\n", "\r\n")
WRONG = "Input wrong value.\r\n"
LOAD_DRIVER = "load -nc fs0:\\ShellCompat.efi"

# What a transaction does on an idle EC (0x66 reads 0: IBF and OBF clear).
IDLE_COMMAND_9E_01 = "R66=00 x2 W66=9E R66=00 W62=01 R66=00"
IDLE_NORET_B0 = "R66=00 x2 W66=B0 R66=00"
# With OBF set at every read (0x66 reads 1, 0x62 reads 0x5A): one stale byte
# drained before the command byte, and the result read at once.
PENDING_EXT_AC = "R66=01 x2 R62=5A R66=01 W66=AC R66=01 x2 R62=5A"
PENDING_COMMAND_9E_01 = "R66=01 x2 R62=5A R66=01 W66=9E R66=01 W62=01 R66=01"

# (case, command line, console text, port traffic, %lasterror%)
BOOTS = {
    "commands": {
        "readback": (0x00, 0x5A),
        "cases": [
            (1, "Kelmtrax.efi C9E D01", "", "", "0x3"),  # no driver yet: AttachShell ends the image
            (None, LOAD_DRIVER),
            (2, "Kelmtrax.efi C9E D01", "SendEcCommand(0x9E,0x1)\r\n", IDLE_COMMAND_9E_01, "0x0"),
            (3, "Kelmtrax.efi D01 C9E", "SendEcCommand(0x9E,0x1)\r\n", IDLE_COMMAND_9E_01, "0x0"),
            (4, "Kelmtrax.efi CB0", "SendEcCmdNoRet(0xB0)\r\n", IDLE_NORET_B0, "0x0"),
            (5, "Kelmtrax.efi cb0FF", "SendEcCmdNoRet(0xB0)\r\n", IDLE_NORET_B0, "0x0"),
            (6, "Kelmtrax.efi", USAGE, "", "0x0"),
            (7, "Kelmtrax.efi /?", USAGE, "", "0x0"),
            (8, "Kelmtrax.efi CBG", WRONG, "", "0x0"),
            (9, "Kelmtrax.efi C9E X01", WRONG, "", "0x0"),
            (10, "Kelmtrax.efi DB0", "", "", "0x0"),
            (11, "Kelmtrax.efi CB0 D01 X", "", "", "0x0"),
            # Every command image's legacy shell interface went with it.
            (12, "dh -p 47C7B223-C42A-11D2-8E57-00A0C969723B", "Handle dump by protocol 'ShellInterface'\r\n", "",
             "0x0"),
        ],
        "status_bytes": b"\x9e\x9e\xb0\xb0",
        "data_bytes": b"\x01\x01",
    },
    "pending-obf": {
        "readback": (0x01, 0x5A),
        "cases": [
            (None, LOAD_DRIVER),
            (1, "Kelmtrax.efi CAC I", "5A = SendEcCmdExt(0xAC)\r\n", PENDING_EXT_AC, "0x0"),
            (2, "Kelmtrax.efi C9E D01", "SendEcCommand(0x9E,0x1)\r\n", PENDING_COMMAND_9E_01, "0x0"),
        ],
        "status_bytes": b"\xac\x9e",
        "data_bytes": b"\x01",
    },
    "stuck-ibf": {
        "readback": (0x02, 0x5A),
        # Tracing 16 million reads per case would cost close to half a
        # minute each; the chardev files show that nothing was written.
        "trace": False,
        "cases": [
            (None, LOAD_DRIVER),
            (1, "Kelmtrax.efi CB0", "SendEcCmdNoRet(0xB0)\r\n", None, "0x0"),
            (2, "Kelmtrax.efi CAC I", "0 = SendEcCmdExt(0xAC)\r\n", None, "0x0"),
            (3, "Kelmtrax.efi C9E D01", "SendEcCommand(0x9E,0x1)\r\n", None, "0x0"),
        ],
        "status_bytes": b"",
        "data_bytes": b"",
    },
}


class Checker:
    def __init__(self):
        self.failures = []

    def equal(self, what, got, want):
        if got != want:
            self.failures.append("%s:\n    got  %r\n    want %r" % (what, got, want))

    def true(self, what, condition):
        if not condition:
            self.failures.append(what)


def run_shell_boot(name, images, work, time_limit):
    boot = BOOTS[name]
    drive = os.path.join(work, "drive")
    os.makedirs(drive)
    for image in ("Kelmtrax.efi", "ShellCompat.efi"):
        shutil.copyfile(os.path.join(images, image), os.path.join(drive, image))
    steps = [(case[0], case[1]) for case in boot["cases"]]
    with open(os.path.join(drive, "startup.nsh"), "w", newline="") as script:
        script.write(qemu_ovmf.case_script(steps))

    status_readback, data_readback = boot["readback"]
    traced = boot.get("trace", True)
    result = qemu_ovmf.boot(work, [drive], status_readback=status_readback, data_readback=data_readback,
                            trace=traced, time_limit=time_limit)
    check = Checker()
    check.true("the boot hung: killed after %d s" % time_limit, not result.hung)
    check.true("the script did not finish", "KT-DONE" in result.serial)
    if (None, LOAD_DRIVER) in boot["cases"]:
        check.true("the driver did not load",
                   re.search(r"Image 'FS0:\\ShellCompat.efi' loaded at \w+ - Success\r\n", result.serial))
    outputs = qemu_ovmf.case_outputs(result.serial)
    for case in boot["cases"]:
        if case[0] is None:
            continue
        number, command, text, traffic, status = case
        label = "case %d (%s)" % (number, command)
        if number not in outputs:
            check.failures.append("%s: no output between its markers" % label)
            continue
        got_text, got_status = outputs[number]
        check.equal(label + " console", got_text, text)
        check.equal(label + " exit status", got_status, status)
        if traced:
            check.equal(label + " port traffic", qemu_ovmf.describe(result.trace.get(number, [])), traffic)
    if traced:
        check.equal("port traffic outside the cases", qemu_ovmf.describe(result.trace.get(0, [])), "")
    check.equal("bytes written to the status/command port", result.status_bytes, boot["status_bytes"])
    check.equal("bytes written to the data port", result.data_bytes, boot["data_bytes"])
    return check, result


def sign(source, target, key, cert):
    subprocess.run(["sbsign", "--key", key, "--cert", cert, "--output", target, source], check=True,
                   stdout=subprocess.DEVNULL)


def alter_one_byte(path):
    """Flips one byte of the first section's contents (not the signature)."""
    data = bytearray(open(path, "rb").read())
    pe = int.from_bytes(data[0x3C:0x40], "little")
    optional_size = int.from_bytes(data[pe + 20:pe + 22], "little")
    section = pe + 24 + optional_size
    raw_offset = int.from_bytes(data[section + 20:section + 24], "little")
    data[raw_offset + 16] ^= 0xFF
    open(path, "wb").write(data)


SECURE_CASES = [
    # (drive, image, BdsDxe's line for it)
    ("signed", "test-key signed", "failed to start Boot0001 \"UEFI QEMU HARDDISK QM00001 \" from "
     "PciRoot(0x0)/Pci(0x1F,0x2)/Sata(0x0,0xFFFF,0x0): Unsupported"),
    ("unsigned", "unsigned", "failed to load Boot0002 \"UEFI QEMU HARDDISK QM00003 \" from "
     "PciRoot(0x0)/Pci(0x1F,0x2)/Sata(0x1,0xFFFF,0x0): Access Denied"),
    ("altered", "signed, then one byte altered", "failed to load Boot0003 \"UEFI QEMU HARDDISK QM00005 \" from "
     "PciRoot(0x0)/Pci(0x1F,0x2)/Sata(0x2,0xFFFF,0x0): Access Denied"),
]


def run_secure_boot(images, work, time_limit):
    """Three removable-media drives, each with \\EFI\\BOOT\\BOOTX64.EFI, tried
    by BdsDxe in order. The signed image starts and, with no shell to attach
    to, ends with the status of AttachShell's failed lookup (Unsupported)."""
    for path in (qemu_ovmf.OVMF_CODE_SECURE, qemu_ovmf.OVMF_VARS_SECURE, qemu_ovmf.SNAKEOIL_KEY,
                 qemu_ovmf.SNAKEOIL_CERT):
        if not os.path.exists(path):
            raise qemu_ovmf.BootError("missing %s (Debian package ovmf)" % path)
    key = os.path.join(work, "snakeoil.key")
    # sbsign cannot take a pass phrase: an unprotected copy, for this test only.
    subprocess.run(["openssl", "rsa", "-in", qemu_ovmf.SNAKEOIL_KEY, "-passin",
                    "pass:" + qemu_ovmf.SNAKEOIL_PASSWORD, "-out", key], check=True, stderr=subprocess.DEVNULL)
    unsigned = os.path.join(images, "Kelmtrax.efi")
    drives = []
    for drive_name, _, _ in SECURE_CASES:
        drive = os.path.join(work, drive_name)
        os.makedirs(os.path.join(drive, "EFI", "BOOT"))
        drives.append(drive)
        target = os.path.join(drive, "EFI", "BOOT", "BOOTX64.EFI")
        if drive_name == "unsigned":
            shutil.copyfile(unsigned, target)
        else:
            sign(unsigned, target, key, qemu_ovmf.SNAKEOIL_CERT)
        if drive_name == "altered":
            alter_one_byte(target)

    lines = ["BdsDxe: " + line for _, _, line in SECURE_CASES]
    result = qemu_ovmf.boot(work, drives, secure=True, trace=False, time_limit=time_limit,
                            until=lambda serial: all(line in serial for line in lines))
    check = Checker()
    check.true("the boot hung: killed after %d s" % time_limit, not result.hung)
    for (_, what, _), line in zip(SECURE_CASES, lines):
        check.true("%s image: no line %r" % (what, line), line in result.serial)
    return check, result


def processes_mentioning(text):
    """Ids of the processes whose command line contains the text."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as cmdline:
                if text.encode() in cmdline.read():
                    found.append(int(entry))
        except OSError:
            continue
    return found


def run_hang_check(images, work, time_limit):
    """The harness itself: a boot that never ends (the script stops at the
    shell prompt) must be killed at the time limit and reported as hung, with
    no QEMU left running."""
    drive = os.path.join(work, "drive")
    os.makedirs(drive)
    with open(os.path.join(drive, "startup.nsh"), "w", newline="") as script:
        script.write(qemu_ovmf.shell_script(["fs0:", "echo KT-WAITING"]))
    limit = min(time_limit, 12)
    result = qemu_ovmf.boot(work, [drive], time_limit=limit)
    check = Checker()
    check.true("a boot that never ends was not reported as hung", result.hung)
    check.true("the hung boot was not stopped at its limit of %d s (took %.1f s)" % (limit, result.seconds),
               result.seconds < limit + 15)
    check.equal("QEMU processes left running", processes_mentioning("fat:rw:" + drive), [])
    return check, result


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--boot", required=True, choices=sorted(BOOTS) + ["secure-boot", "hang-check"])
    parser.add_argument("--images", required=True, help="folder with the signed Kelmtrax.efi and ShellCompat.efi")
    parser.add_argument("--unsigned", help="folder with the unsigned images (secure-boot)")
    parser.add_argument("--work", required=True, help="parent folder for the boot's files")
    parser.add_argument("--time-limit", type=int, default=180, help="seconds before a boot counts as hung")
    args = parser.parse_args()

    work = qemu_ovmf.make_work_dir(args.work, args.boot)
    try:
        if args.boot == "secure-boot":
            check, result = run_secure_boot(args.unsigned or args.images, work, args.time_limit)
        elif args.boot == "hang-check":
            check, result = run_hang_check(args.images, work, args.time_limit)
        else:
            check, result = run_shell_boot(args.boot, args.images, work, args.time_limit)
    except qemu_ovmf.BootError as error:
        print("e2e %s: %s" % (args.boot, error))
        return 1
    print("e2e %s: one boot, %.1f s, files in %s" % (args.boot, result.seconds, work))
    if check.failures:
        for failure in check.failures:
            print("FAIL " + failure)
        print("--- serial console (escapes stripped), last 3000 characters ---")
        print(result.serial[-3000:])
        return 1
    shutil.rmtree(work, ignore_errors=True)
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
