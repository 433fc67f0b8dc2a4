"""Boots OVMF in QEMU for the end-to-end suite and for ./run: the built-in
UEFI Shell 2.x runs startup.nsh from a FAT drive made of a folder, two
isa-debugcon devices stand in for the EC's ports, and QEMU's port trace is
filtered down to the EC ports as it is written. Every boot has a hard time
limit; a boot that overruns it is killed and reported as hung.

Standard library only."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

OVMF_DIR = "/usr/share/OVMF"
OVMF_CODE = os.path.join(OVMF_DIR, "OVMF_CODE_4M.fd")
OVMF_VARS = os.path.join(OVMF_DIR, "OVMF_VARS_4M.fd")
OVMF_CODE_SECURE = os.path.join(OVMF_DIR, "OVMF_CODE_4M.snakeoil.fd")
OVMF_VARS_SECURE = os.path.join(OVMF_DIR, "OVMF_VARS_4M.snakeoil.fd")
# The test key pair that the ovmf package's snakeoil variables trust.
SNAKEOIL_KEY = "/usr/share/ovmf/PkKek-1-snakeoil.key"
SNAKEOIL_CERT = "/usr/share/ovmf/PkKek-1-snakeoil.pem"
SNAKEOIL_PASSWORD = "snakeoil"

EC_STATUS_PORT = 0x66
EC_DATA_PORT = 0x62
# The suite writes a case number here (with the shell's mm command) before
# each case, so that the trace can be cut into cases.
MARKER_PORT = 0x80

_ESCAPE = re.compile(r"\x1b(\[[=?]?[0-9;]*[A-Za-z]|[()][0-9A-Za-z]|[=>])")
_TRACE = re.compile(r"^\s*(\d+)\s+memory_region_ops_(read|write) .*? addr 0x([0-9a-f]+) value 0x([0-9a-f]+) ")


class BootError(Exception):
    pass


def strip_escapes(text):
    """The serial console's text without its terminal escape sequences."""
    return _ESCAPE.sub("", text)


def require_tools():
    missing = [path for path in (OVMF_CODE, OVMF_VARS) if not os.path.exists(path)]
    missing += [tool for tool in ("qemu-system-x86_64", "grep", "uniq", "bash") if shutil.which(tool) is None]
    if missing:
        raise BootError("missing: %s (Debian packages qemu-system-x86 and ovmf)" % ", ".join(missing))


class PortAccess:
    __slots__ = ("write", "port", "value", "count")

    def __init__(self, write, port, value, count):
        self.write, self.port, self.value, self.count = write, port, value, count

    def __repr__(self):
        text = "%s%02X=%02X" % ("W" if self.write else "R", self.port, self.value)
        return text if self.count == 1 else "%s x%d" % (text, self.count)


def describe(accesses):
    """'R66=00 x2 W66=9E ...': runs of equal accesses as one entry."""
    return " ".join(repr(access) for access in accesses)


def parse_trace(path):
    """Reads the filtered trace (as 'uniq -c' left it) into runs of port
    accesses, and cuts it at the marker writes: {case number: [accesses]}.
    Accesses before the first marker go under 0."""
    cases = {0: []}
    current = 0
    with open(path, "r", errors="replace") as trace:
        for line in trace:
            match = _TRACE.match(line)
            if not match:
                continue
            count, kind, address, value = match.groups()
            port, value, count = int(address, 16), int(value, 16), int(count)
            write = kind == "write"
            if port == MARKER_PORT:
                if write:
                    current = value
                    cases.setdefault(current, [])
                continue
            accesses = cases[current]
            if accesses and (accesses[-1].write, accesses[-1].port, accesses[-1].value) == (write, port, value):
                accesses[-1].count += count
            else:
                accesses.append(PortAccess(write, port, value, count))
    return cases


class BootResult:
    def __init__(self, serial, trace, status_bytes, data_bytes, seconds, hung):
        self.serial = serial  # escapes stripped
        self.trace = trace  # {case: [PortAccess]}
        self.status_bytes = status_bytes  # written to the status/command port
        self.data_bytes = data_bytes  # written to the data port
        self.seconds = seconds
        self.hung = hung


def _kill_group(process):
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.wait()


def boot(work, drives, status_readback=0x00, data_readback=0x5A, secure=False, trace=True, time_limit=180,
         until=None, echo=None):
    """Boots once and returns a BootResult.

    work: an empty folder for the boot's files. drives: folders, each made
    into a FAT drive in order. status_readback/data_readback: what the
    ports 0x66 and 0x62 read (None: no device there, the port reads 0xFF).
    until: a function of the serial text so far; when it answers True the
    boot has shown what it had to and is stopped. Without it the boot must
    end by itself (the script's 'reset -s'). echo: a stream that gets the
    serial output as it comes."""
    require_tools()
    code, vars_template = (OVMF_CODE_SECURE, OVMF_VARS_SECURE) if secure else (OVMF_CODE, OVMF_VARS)
    vars_copy = os.path.join(work, "vars.fd")
    shutil.copyfile(vars_template, vars_copy)
    serial_path = os.path.join(work, "serial.txt")
    status_path = os.path.join(work, "ec-status-port.bin")
    data_path = os.path.join(work, "ec-data-port.bin")
    trace_path = os.path.join(work, "trace.txt")
    for path in (status_path, data_path, trace_path):
        open(path, "wb").close()

    machine = "q35,smm=on" if secure else "q35"
    command = ["qemu-system-x86_64", "-machine", machine, "-m", "256", "-nographic", "-net", "none",
               "-no-reboot", "-serial", "file:" + serial_path, "-monitor", "none"]
    if secure:
        command += ["-global", "driver=cfi.pflash01,property=secure,value=on"]
    command += ["-drive", "if=pflash,format=raw,unit=0,readonly=on,file=" + code,
                "-drive", "if=pflash,format=raw,unit=1,file=" + vars_copy]
    for drive in drives:
        command += ["-drive", "format=raw,file=fat:rw:" + drive]
    for name, port, readback, path in (("ecsc", EC_STATUS_PORT, status_readback, status_path),
                                       ("ecdata", EC_DATA_PORT, data_readback, data_path)):
        if readback is None:
            continue
        command += ["-chardev", "file,id=%s,path=%s" % (name, path),
                    "-device", "isa-debugcon,iobase=0x%x,chardev=%s,readback=0x%02x" % (port, name, readback)]

    filter_process = None
    if trace:
        # A whole boot traces some 650 MB of port and memory accesses, and a
        # stuck EC wait some 16 million reads: keep the EC ports and the
        # marker port, and fold runs of equal lines as they come.
        fifo = os.path.join(work, "trace.fifo")
        os.mkfifo(fifo)
        filter_process = subprocess.Popen(
            ["bash", "-c", "grep -a -E ' addr 0x(%x|%x|%x) ' < \"$1\" | uniq -c > \"$2\""
             % (EC_STATUS_PORT, EC_DATA_PORT, MARKER_PORT), "trace-filter", fifo, trace_path],
            start_new_session=True)
        command += ["-trace", "enable=memory_region_ops_read", "-trace", "enable=memory_region_ops_write",
                    "-D", fifo]

    start = time.monotonic()
    qemu = subprocess.Popen(command, cwd=work, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=open(os.path.join(work, "qemu-stderr.txt"), "wb"), start_new_session=True)
    hung = False
    shown = 0
    try:
        while True:
            ended = qemu.poll() is not None
            serial = _read_text(serial_path)
            if echo is not None and len(serial) > shown:
                echo.write(strip_escapes(serial[shown:]))
                echo.flush()
                shown = len(serial)
            if ended:
                break
            if until is not None and until(strip_escapes(serial)):
                _kill_group(qemu)
                break
            if time.monotonic() - start > time_limit:
                hung = True
                _kill_group(qemu)
                break
            time.sleep(0.2)
    finally:
        if qemu.poll() is None:
            _kill_group(qemu)
        if filter_process is not None:
            try:
                filter_process.wait(timeout=60)
            except subprocess.TimeoutExpired:
                _kill_group(filter_process)
    seconds = time.monotonic() - start
    serial = strip_escapes(_read_text(serial_path))
    stderr = _read_text(os.path.join(work, "qemu-stderr.txt"))
    if qemu.returncode not in (0, -signal.SIGKILL) and not hung:
        raise BootError("QEMU failed (exit %s): %s" % (qemu.returncode, stderr.strip()))
    return BootResult(serial, parse_trace(trace_path) if trace else {},
                      _read_bytes(status_path), _read_bytes(data_path), seconds, hung)


def _read_text(path):
    try:
        with open(path, "rb") as stream:
            return stream.read().decode("utf-8", errors="replace")
    except FileNotFoundError:
        return ""


def _read_bytes(path):
    try:
        with open(path, "rb") as stream:
            return stream.read()
    except FileNotFoundError:
        return b""


def shell_script(lines):
    """startup.nsh text: the built-in shell wants CR LF."""
    return "".join(line + "\r\n" for line in lines)


CASE_RE = re.compile(r"KT-CASE (\d+)\r\n(.*?)KT-STATUS (\S+)\r\n", re.S)


def case_script(cases, driver=None):
    """Shell lines that run each (number, command line) case between markers:
    the case number goes to the serial console and to the marker port, and
    the command's exit status after it. A (None, line) entry runs as is."""
    lines = ["@echo -off", "fs0:"]
    for number, command in cases:
        if number is None:
            lines.append(command)
            continue
        lines += ["echo KT-CASE %d" % number, "mm %x %x -IO -w 1 -n" % (MARKER_PORT, number), command,
                  "echo KT-STATUS %lasterror%"]
    lines += ["echo KT-DONE", "reset -s"]
    return shell_script(lines)


def case_outputs(serial):
    """{case number: (console text between the markers, status text)}."""
    return {int(number): (text, status) for number, text, status in CASE_RE.findall(serial)}


def make_work_dir(parent, name):
    os.makedirs(parent, exist_ok=True)
    return tempfile.mkdtemp(prefix=name + "-", dir=parent)
