"""caskit compile with the settings of console programs, project manifests
and embedded jars: the console twin and the project's manifest in a
Windows executable (read with pefile), and a damaged jar or manifest
refused with exit code 1, its file and problem named, and the previous
executable left byte for byte.

    cli_embed_test.py CASKIT"""
import io
import os
import subprocess
import sys
import zipfile

import pefile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from caskit_test import Checks, pe_resources, temp_folder  # noqa: E402

CASKIT = os.path.abspath(sys.argv[1])
STUBS = os.path.join(os.path.dirname(CASKIT), "stubs")
MANIFEST = b"<?xml version='1.0'?><assembly xmlns='urn:schemas-microsoft-com:asm.v1' manifestVersion='1.0'/>"
check = Checks()


def caskit(*args):
    r = subprocess.run([CASKIT] + list(args), capture_output=True)
    return r.returncode, r.stdout.decode(), r.stderr.decode()


def jar_bytes(manifest):
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("META-INF/MANIFEST.MF", manifest)
        z.writestr("app/Main.class", b"\xca\xfe\xba\xbe" + bytes(60))
    return buffer.getvalue()


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
    return path


def console_twin_with_manifest(work, target):
    project = os.path.join(work, "console.csk")
    write(os.path.join(work, "app.manifest"), MANIFEST)
    write(os.path.join(work, "app.jar"), jar_bytes("Main-Class: app.Main\r\n\r\n"))
    rc, _, err = caskit("new", project, "--jdk", "2.0", "--exe-name", "app.exe", "--exe-folder", ".",
                        "--console-program", "on", "--manifest", "app.manifest", "--embed-jar", "app.jar")
    check(rc == 0, "new: %d %s" % (rc, err))
    rc, out, err = caskit("compile", project, "--target", target)
    check(rc == 0 and "main class app.Main" in out, "compile: %d %s %s" % (rc, out, err))
    pe = pefile.PE(os.path.join(work, "app.exe"))
    check(pe.OPTIONAL_HEADER.Subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_CUI"], "console subsystem")
    check(pe_resources(pe).get((24, 1, 0)) == MANIFEST, "the project manifest at 24/1/0")
    check([k for k in pe_resources(pe) if k[0] == 24] == [(24, 1, 0)], "one manifest only")


def bad_input_leaves_previous(work):
    project = os.path.join(work, "bad.csk")
    rc, _, err = caskit("new", project, "--jdk", "2.0", "--exe-name", "bad", "--exe-folder", ".",
                        "--embed-jar", "bad.jar")
    check(rc == 0, "new: %d %s" % (rc, err))
    previous = write(os.path.join(work, "bad"), b"the previous executable")
    damaged_jar = bytearray(jar_bytes("Main-Class: app.Main\r\n\r\n"))
    damaged_jar[52:56] = b"\xff\xff\xff\xff"  # inside the deflated manifest
    jar = os.path.join(work, "bad.jar")
    cases = [
        (bytes(damaged_jar), None, "The jar %s cannot be embedded: the manifest META-INF/MANIFEST.MF cannot be read: "
         % jar),
        (jar_bytes("Main-Class app.Main\n"), None,
         "The jar %s has a damaged manifest (META-INF/MANIFEST.MF): a line is not a header" % jar),
        (jar_bytes("Main-Class: app.Main\n"), b"<assembly><b></assembly>",
         "The application manifest %s is not well-formed XML: line 1: </assembly> does not close <b>"
         % os.path.join(work, "bad.manifest")),
    ]
    for jar_data, manifest, expected in cases:
        write(jar, jar_data)
        if manifest:
            write(os.path.join(work, "bad.manifest"), manifest)
            caskit("set", project, "--manifest", "bad.manifest")
        rc, out, err = caskit("compile", project, "--target", "linux-x64")
        check(rc == 1 and expected in err, "%r: %d %r" % (expected, rc, err))
        check(open(previous, "rb").read() == b"the previous executable", "previous executable kept: " + expected)
        check(sorted(os.listdir(work)) == sorted(["bad.csk", "bad", "bad.jar"] + (["bad.manifest"] if manifest else [])),
              "no other file left: %r" % os.listdir(work))


def main():
    with temp_folder("caskit-embed-cli-") as work:
        target = next((t for t in ("windows-x64", "windows-x86") if os.path.exists(os.path.join(STUBS, t, "stub12c.exe"))),
                      None)
        if target:
            twin = os.path.join(work, "twin")
            os.makedirs(twin)
            console_twin_with_manifest(twin, target)
        else:
            print("note: no staged Windows console twin; its case is skipped")
        bad_work = os.path.join(work, "bad")
        os.makedirs(bad_work)
        bad_input_leaves_previous(bad_work)
    return check.result()


if __name__ == "__main__":
    sys.exit(main())
