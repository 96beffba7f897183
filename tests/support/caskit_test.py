"""Helpers shared by the Python test drivers: Windows names of Unix paths,
running programs with their output in files (Wine's helper processes
would keep pipes open), parameter blocks and trailers, the diagnostic
log's records, resources read with pefile, scratch folders, and the two
ways the drivers report results (named scenarios, or a list of checks).

A driver imports it with its own folder's ../support on sys.path:

    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
"""
import argparse
import contextlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import traceback


# --- paths and folders ----------------------------------------------------

def winpath(path):
    """The Windows name of a Unix path in a Wine prefix (drive Z: is /)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def fresh_folder(path):
    """Makes path an empty folder (removing what was there); returns it."""
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


@contextlib.contextmanager
def temp_folder(prefix):
    """A new folder under the system's temporary folder, removed with its
    contents when the block ends."""
    work = tempfile.mkdtemp(prefix=prefix)
    try:
        yield work
    finally:
        shutil.rmtree(work, ignore_errors=True)


# --- running programs -----------------------------------------------------

def run_to_files(cmd, folder, env=None, cwd=None, timeout=None):
    """Runs a program with standard output and error in stdout.txt and
    stderr.txt of folder, not in pipes: Wine starts long-lived helper
    processes that would hold pipes open. Returns (exit code, standard
    output, standard error) as Latin-1 text."""
    out_path = os.path.join(folder, "stdout.txt")
    err_path = os.path.join(folder, "stderr.txt")
    with open(out_path, "wb") as out, open(err_path, "wb") as err:
        rc = subprocess.run(cmd, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                            timeout=timeout).returncode
    with open(out_path, "rb") as out, open(err_path, "rb") as err:
        return rc, out.read().decode("latin-1"), err.read().decode("latin-1")


def run_checked(*cmd, **kw):
    """Runs a program; its standard output as text, or the test ends with
    the command and both its output streams when it fails."""
    r = subprocess.run(list(cmd), capture_output=True, **kw)
    if r.returncode != 0:
        raise SystemExit("command failed: %s\n%s%s" % (cmd, r.stdout.decode(), r.stderr.decode()))
    return r.stdout.decode()


def run_logged(cmd, log_path, cwd=None, env=None, timeout=120):
    """Runs a program with both its output streams in one log file (see
    run_to_files for why a file); returns the exit code."""
    with open(log_path, "wb") as log:
        return subprocess.run(cmd, cwd=cwd, env=env, timeout=timeout, stdin=subprocess.DEVNULL, stdout=log,
                              stderr=log).returncode


def with_jvm_folder(cmd, folder, real_view):
    """The command run with `folder` in place of /usr/lib/jvm (a private
    mount namespace, so the Linux launcher's search sees only what the test
    laid out), and the real /usr/lib/jvm at the empty folder `real_view`;
    None when this system does not let a user make such a namespace."""
    # Named with their folders: the command may run with an empty PATH.
    unshare, mount, sh = shutil.which("unshare"), shutil.which("mount"), shutil.which("sh")
    namespace = [unshare, "--user", "--map-root-user", "--mount"]
    if not (unshare and mount and sh) or subprocess.run(namespace + [sh, "-c", "true"], stdin=subprocess.DEVNULL,
                                                         stdout=subprocess.DEVNULL,
                                                         stderr=subprocess.DEVNULL).returncode != 0:
        return None
    script = '%s --bind /usr/lib/jvm "$1" && %s --bind "$0" /usr/lib/jvm && shift && exec "$@"' % (mount, mount)
    return namespace + [sh, "-c", script, folder, real_view] + list(cmd)


def sign_executable(exe, folder):
    """Signs exe with osslsigncode and a throwaway certificate kept in
    folder, then verifies the signature. Returns (the signed file's path,
    None) or (None, what went wrong)."""
    key, cert = os.path.join(folder, "key.pem"), os.path.join(folder, "cert.pem")
    if not os.path.exists(cert):
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-keyout", key,
                        "-out", cert, "-subj", "/CN=Caskit Test", "-addext", "extendedKeyUsage=codeSigning"],
                       check=True, capture_output=True)
    signed = exe[:-4] + "-signed.exe"
    r = subprocess.run(["osslsigncode", "sign", "-certs", cert, "-key", key, "-n", "Caskit test", "-in", exe,
                        "-out", signed], capture_output=True, text=True)
    if r.returncode != 0:
        return None, "osslsigncode sign %s: %s" % (exe, r.stdout + r.stderr)
    r = subprocess.run(["osslsigncode", "verify", "-CAfile", cert, "-in", signed], capture_output=True, text=True)
    if r.returncode != 0 or "Signature verification: ok" not in r.stdout:
        return None, "osslsigncode verify %s: %s" % (signed, r.stdout[-1500:] + r.stderr)
    return signed, None


# --- parameter blocks and trailers ----------------------------------------

def block_lines(lines):
    """The parameter block bytes for a list of lines."""
    return "".join(line + "\n" for line in lines).encode("latin-1")


def parameter_block(binarypath="#internal#", classname="app.Main", parameters="", cpmode="appendcp",
                    environment=(), classpath=(), properties=(), noasyncgc="0", noclassgc="0", verify="noverify",
                    disablejit="0", console="0", routeconsole="0", minheap="1024", maxheap="16384",
                    maxcstack="128", maxjavastack="400", **extended):
    """A parameter block (text) in the order and form a builder writes it;
    `extended` adds the keywords of the settings beyond the original
    records, in the order given (a list value is written with its count)."""
    lines = ["binarypath", binarypath, "classname", classname, "parameters", parameters, cpmode,
             "environment", str(len(environment))]
    for name, value in environment:
        lines += [name, value]
    lines += ["classpath", str(len(classpath))] + list(classpath)
    lines += ["properties", str(len(properties))] + list(properties)
    lines += ["noasyncgc", noasyncgc, "noclassgc", noclassgc, verify, "disablejit", disablejit, "console", console,
              "routeconsole", routeconsole, "minheap", minheap, "maxheap", maxheap, "maxcstack", maxcstack,
              "maxjavastack", maxjavastack]
    for keyword, value in extended.items():
        lines += [keyword] + ([str(len(value))] + list(value) if isinstance(value, (list, tuple)) else [value])
    return "".join(line + "\n" for line in lines)


def trailer(block, length=None):
    """A parameter trailer: the block's bytes, then its length (or the
    given length) as a 32-bit little-endian number."""
    return block + struct.pack("<I", len(block) if length is None else length)


def trailer_block(data):
    """The block of a file ending in a parameter trailer (block + 32-bit
    length); None when the length does not fit."""
    if len(data) < 4:
        return None
    (n,) = struct.unpack("<I", data[-4:])
    if n == 0 or n > len(data) - 4:
        return None
    return data[-4 - n:-4]


def log_records(texts, line_end="\r\n"):
    """Log.txt bytes for a sequence of diagnostic log lines (CR LF line
    ends as Windows launchers write them, LF for the Linux launcher)."""
    return "".join("   " + t.replace("\n", line_end) + line_end for t in texts).encode("latin-1")


# --- PE resources -----------------------------------------------------------

def pe_resources(pe):
    """{(type, id, language): bytes} of every resource of a pefile.PE; a
    named type or entry is keyed by its name as text."""
    found = {}
    for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for entry in rtype.directory.entries:
            for lang in entry.directory.entries:
                data = lang.data.struct
                key = (rtype.id if rtype.id is not None else str(rtype.name),
                       entry.id if entry.id is not None else str(entry.name), lang.id)
                found[key] = pe.get_data(data.OffsetToData, data.Size)
    return found


def version_strings(pe):
    """{key: value} of the version block of a pefile.PE, with the string
    table's language key under "(table)"."""
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings["(table)"] = table.LangID.decode("ascii")
                # pefile hands the UTF-16 strings over as UTF-8.
                strings.update({k.decode("utf-8"): v.decode("utf-8") for k, v in table.entries.items()})
    return strings


# --- reporting ---------------------------------------------------------------

def expect_equal(actual, expected, what):
    if actual != expected:
        raise AssertionError("%s:\n  expected %r\n  actual   %r" % (what, expected, actual))


class Scenarios:
    """Runs named scenario functions (each given this object) and reports
    every one, not only the first failure. prepare() runs before each."""

    def __init__(self):
        self.failures = []
        self.count = 0

    def prepare(self):
        pass

    def failure_context(self):
        """Text printed after a failed scenario's traceback (what it last ran)."""
        return ""

    def check(self, name, function):
        self.count += 1
        try:
            self.prepare()
            function(self)
            print("ok   " + name)
        except Exception:  # report every scenario, not only the first failure
            self.failures.append(name)
            print("FAIL " + name)
            traceback.print_exc(file=sys.stdout)
            context = self.failure_context()
            if context:
                print(context)

    def run_selected(self, scenarios, selection):
        """Runs the (name, function) pairs whose name holds selection."""
        for name, function in scenarios:
            if selection in name:
                self.check(name, function)

    def summary(self):
        """Prints the count and the failed names; returns the exit code."""
        print("%d scenarios, %d failed%s" % (self.count, len(self.failures),
                                             (": " + ", ".join(self.failures)) if self.failures else ""))
        return 1 if self.failures else 0


def scenario_main(harness_class, scenarios, options, end=None):
    """The main of a scenario driver: each of `options` is a required
    option; -k NAME runs only the scenarios whose name holds NAME. `end`
    is called with the harness after the scenarios. Returns the exit code."""
    parser = argparse.ArgumentParser()
    for option in options:
        parser.add_argument(option, required=True)
    parser.add_argument("-k", default="")
    args = parser.parse_args()
    harness = harness_class(args)
    harness.run_selected(scenarios, args.k)
    if end:
        end(harness)
    return harness.summary()


class Checks:
    """A list of failed checks: check(condition, what) records and prints
    each failure; result() prints the outcome and returns the exit code."""

    def __init__(self):
        self.failures = []

    def __call__(self, condition, what):
        if not condition:
            self.failures.append(what)
            print("FAIL:", what)

    def result(self):
        if self.failures:
            print("%d failure(s)" % len(self.failures))
            return 1
        print("all passed")
        return 0
