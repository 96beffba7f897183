#!/usr/bin/python3
"""Wine tier of stub12's runtime search: the stand-in jvm.dll laid out as
real installs in the test prefix (registry keys of Oracle, Eclipse
Adoptium, Microsoft and Azul in their views, JAVA_HOME, java.exe on PATH,
a jre or runtime folder beside the executable), and the win32 tree's
stand-in as the runtime of the wrong bitness (only ever read). Which
runtime starts is read from PATH as the stand-in records it (the first
folder after "." is the runtime's bin folder); LoadLibraryA's arguments
from Wine's relay trace.

  wine_discovery.py --build WIN64_TREE --helpers HELPER_DIR --work SCRATCH --standins32 DIR [-k NAME]
"""
import os
import re
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wine_stubs import (CUT, JDK11_NOT_FOUND, JDK11_REGISTRY, JDK12_REGISTRY, JDK12_NOT_FOUND, RELEASED,  # noqa: E402
                        Harness, parse_messages, read_lines, surroundings, unescape, vm_record, wslash)
from caskit_test import expect_equal, log_records, parameter_block as block, scenario_main, winpath  # noqa: E402

# Every key the search reads is below one of these; the tests own them.
VENDOR_KEYS = [r"SOFTWARE\JavaSoft", r"SOFTWARE\Eclipse Adoptium", r"SOFTWARE\Microsoft\JDK",
               r"SOFTWARE\Azul Systems"]
LOAD_LIBRARY = re.compile(r'Call KERNEL32\.LoadLibraryA\(\w+ "((?:[^"\\]|\\.)*)"\)')
WRONG_BITS = "32-bit library, this program is 64-bit"
RUNTIMES = r"C:\caskit-runtimes"


class Discovery(Harness):
    def __init__(self, args):
        super().__init__(args)
        self.standins32 = os.path.abspath(args.standins32)
        self.reg("add", r"HKCU\Software\Wine\Debug", "/v", "RelayInclude", "/d",
                 "user32.MessageBoxA;kernel32.LoadLibraryA", "/f")
        self.drive_c = os.path.join(os.environ["WINEPREFIX"], "drive_c")
        self.loaded = []

    def prepare(self):
        for root in ("HKLM", "HKCU"):
            for key in VENDOR_KEYS:
                for view in ("/reg:64", "/reg:32"):
                    self.reg("delete", root + "\\" + key, "/f", view)
        shutil.rmtree(os.path.join(self.drive_c, "caskit-runtimes"), ignore_errors=True)

    def run(self, exe, args=(), cwd=None, env=None, f12=False, command_line=None):
        """Harness.run, keeping the paths LoadLibraryA was called with."""
        rc, messages = super().run(exe, args, cwd, env, f12, command_line)
        with open(os.path.join(self.work, "stderr.txt"), "rb") as f:
            # version.dll, which reads the libraries' version resources, is no candidate.
            self.loaded = [unescape(m.group(1)) for m in LOAD_LIBRARY.finditer(f.read().decode("latin-1"))
                           if unescape(m.group(1)).lower() != "version.dll"]
        return rc, messages

    def install(self, home, layout=r"bin\server", library="64", java_exe=False, release=None):
        """A runtime at `home` (below C:\\caskit-runtimes, or a Unix folder)
        whose library is the stand-in ("64"), one with the version resource
        of Java 11.0.2 or 25.0.1 ("v11", "v25"), the win32 stand-in ("32"),
        a text file ("text") or missing (None), with a `release` file that
        says JAVA_VERSION=`release` when given; returns its Windows path."""
        folder = home if os.path.isabs(home) else os.path.join(self.drive_c, "caskit-runtimes", *home.split("\\"))
        os.makedirs(os.path.join(folder, *layout.split("\\")), exist_ok=True)
        lib = os.path.join(folder, *layout.split("\\"), "jvm.dll")
        sources = {"64": self.standin("jvm.dll"), "32": os.path.join(self.standins32, "jvm.dll"),
                   "v11": self.standin("jvm.dll", "v11"), "v25": self.standin("jvm.dll", "v25")}
        if release:
            with open(os.path.join(folder, "release"), "w") as f:
                f.write('IMPLEMENTOR="test"\nJAVA_VERSION="%s"\n' % release)
        if library in sources:
            shutil.copyfile(sources[library], lib)
        elif library == "text":
            with open(lib, "w") as f:
                f.write("not a library\n")
        if java_exe:
            with open(os.path.join(folder, "bin", "java.exe"), "wb") as f:
                f.write(b"MZ")
        return winpath(home) if os.path.isabs(home) else RUNTIMES + "\\" + home

    def key(self, key, view="/reg:64", **values):
        for name, data in values.items():
            self.reg("add", key, "/v", name, "/d", data, "/f", view)

    def app(self, name, **settings):
        folder = self.folder(name)
        return folder, self.stub(12, folder, block(**settings))

    def started(self, exe, env=None, f12=False):
        """Runs the stub; asserts the VM ran without a message, with no
        class library; returns the bin folder PATH names first."""
        log, run_env = self.log_env(**(env or {}))
        rc, messages = self.run(exe, env=run_env, f12=f12)
        expect_equal((rc, messages), (0, []), "exit code and messages")
        create, around, calls = vm_record(read_lines(log))
        expect_equal(create[1], "option[0]=-Djava.class.path=.;", "class path without a class library")
        expect_equal(calls[-2:], ["DestroyJavaVM", RELEASED], "VM ran and library released")
        path = surroundings(around, "PATH").split(";")
        expect_equal((path[0], path[2]), (".", wslash(os.path.dirname(exe))), "PATH around the bin folder")
        return path[1]

    def log_has(self, folder, lines):
        with open(os.path.join(folder, "Log.txt"), "rb") as f:
            expect_equal(log_records(lines) in f.read(), True, "Log.txt holds %r" % lines)


def not_found(*rejected):
    """The last message with its list of rejected candidates."""
    return (JDK12_NOT_FOUND[0] + "\n\n" + "\n".join(rejected), JDK12_NOT_FOUND[1])


def expect_messages(actual, expected, what):
    """A text Wine's trace cut short is compared as far as it goes."""
    cut = [e if a[0].endswith(CUT) and e[0].startswith(a[0][:-len(CUT)]) and a[1] == e[1] else a
           for a, e in zip(actual, expected)]
    expect_equal(cut + actual[len(expected):], expected, what)


# ========================================================================

def each_source_alone(h):
    """Every kind of install, alone, is found and started."""
    cases = [
        (r"Eclipse Adoptium\jdk-21.0.5.11-hotspot", r"bin\server", {},
         lambda home: h.key(r"HKLM\SOFTWARE\Eclipse Adoptium\JDK\21.0.5.11\hotspot\MSI", Path=home)),
        (r"Java\jdk-17", r"bin\server", {}, lambda home: (h.key(r"HKLM\SOFTWARE\JavaSoft\JDK", CurrentVersion="17"),
                                                         h.key(r"HKLM\SOFTWARE\JavaSoft\JDK\17", JavaHome=home))),
        (r"Microsoft\jdk-11.0.20.8-hotspot", r"bin\server", {},
         lambda home: h.key(r"HKLM\SOFTWARE\Microsoft\JDK\11.0.20.8\hotspot\MSI", Path=home)),
        (r"Zulu\zulu-11", r"bin\server", {},
         lambda home: h.key(r"HKCU\SOFTWARE\Azul Systems\Zulu\zulu-11", InstallationPath=home)),
        ("jdk8", r"jre\bin\server", {"JAVA_HOME": RUNTIMES + r"\jdk8"}, None),
        ("jdk11", r"bin\client", {"WINEPATH": RUNTIMES + r"\jdk11\bin"}, None),
    ]
    for home, layout, env, register in cases:
        h.prepare()
        winhome = h.install(home, layout, java_exe="WINEPATH" in env)
        if register:
            register(winhome)
        _, exe = h.app("alone")
        expect_equal(h.started(exe, env), winhome + "\\" + layout.rsplit("\\", 1)[0] + "\\", home + ": bin folder")
    for beside in ("jre", "runtime"):
        h.prepare()
        folder, exe = h.app("beside_" + beside)
        home = h.install(os.path.join(folder, beside))
        expect_equal(h.started(exe), home + "\\bin\\", beside + " beside the program")


def order_of_sources(h):
    """Beside the program, then JAVA_HOME, then the registry, then PATH."""
    folder, exe = h.app("order")
    beside = h.install(os.path.join(folder, "jre"))
    java_home = h.install("home")
    registered = h.install("registered")
    h.key(r"HKLM\SOFTWARE\JavaSoft\JDK\17", JavaHome=registered)
    on_path = h.install("onpath", java_exe=True)
    env = {"JAVA_HOME": java_home, "WINEPATH": on_path + "\\bin"}
    expect_equal(h.started(exe, env), beside + "\\bin\\", "beside the program first")
    shutil.rmtree(os.path.join(folder, "jre"))
    expect_equal(h.started(exe, env), java_home + "\\bin\\", "then JAVA_HOME")
    del env["JAVA_HOME"]
    expect_equal(h.started(exe, env), registered + "\\bin\\", "then the registry")
    h.reg("delete", r"HKLM\SOFTWARE\JavaSoft", "/f")
    expect_equal(h.started(exe, env), on_path + "\\bin\\", "then java.exe on PATH")


def highest_registry_version(h):
    """The newest version of every key and view wins; a newer 32-bit
    runtime is passed over with its reason and never loaded;
    CurrentVersion limits its key to the version it names; RuntimeLib
    names the library."""
    folder, exe = h.app("versions")
    x86 = h.install("adoptium25-x86", library="32")
    h.key(r"HKLM\SOFTWARE\Eclipse Adoptium\JDK\25.0.1.8\hotspot\MSI", view="/reg:32", Path=x86)
    adoptium21 = h.install("adoptium21")
    h.key(r"HKLM\SOFTWARE\Eclipse Adoptium\JDK\21.0.5.11\hotspot\MSI", Path=adoptium21)
    h.key(r"HKLM\SOFTWARE\Microsoft\JDK\11.0.20.8\hotspot\MSI", Path=h.install("ms11"))
    h.key(r"HKLM\SOFTWARE\JavaSoft\JDK", CurrentVersion="17")
    jdk17 = h.install("jdk17")
    h.key(r"HKLM\SOFTWARE\JavaSoft\JDK\17", JavaHome=jdk17)
    jdk19 = h.install("jdk19", layout=r"bin\client")
    h.install("jdk19")
    h.key(r"HKLM\SOFTWARE\JavaSoft\JDK\19", JavaHome=jdk19, RuntimeLib=jdk19 + r"\bin\client\jvm.dll")
    h.key(r"HKLM\SOFTWARE\JavaSoft\Java Runtime Environment\1.8", JavaHome=h.install("jre8"))
    expect_equal(h.started(exe, f12=True), adoptium21 + "\\bin\\", "newest 64-bit runtime")
    source = r"HKLM\SOFTWARE\Eclipse Adoptium\JDK\%s\hotspot\MSI\Path, %s registry"
    h.log_has(folder, ["Runtime %s\\bin\\server\\jvm.dll: %s (%s)" % (x86, WRONG_BITS, source % ("25.0.1.8", "32-bit")),
                       "Runtime %s\\bin\\server\\jvm.dll: taken (%s)" % (adoptium21, source % ("21.0.5.11", "64-bit"))])
    expect_equal([p for p in h.loaded if p.startswith(x86)], [], "the 32-bit library is never loaded")
    h.reg("delete", r"HKLM\SOFTWARE\Eclipse Adoptium", "/f", "/reg:64")
    expect_equal(h.started(exe), jdk17 + "\\bin\\", "CurrentVersion names 17, not 19")
    h.reg("delete", r"HKLM\SOFTWARE\JavaSoft\JDK", "/v", "CurrentVersion", "/f")
    expect_equal(h.started(exe), jdk19 + "\\bin\\", "without CurrentVersion every version: 19")
    expect_equal(h.loaded[-1], jdk19 + r"\bin\client\jvm.dll", "RuntimeLib chosen over bin\\server")


def wrong_bitness_first(h):
    """A configured 32-bit library and a 32-bit runtime beside the program
    are skipped, named in Log.txt, never loaded: JAVA_HOME's runtime
    starts without a message. Alone, they are named in the last message."""
    lib32 = winpath(os.path.join(h.standins32, "jvm.dll"))
    folder, exe = h.app("bits", binarypath=lib32)
    beside = h.install(os.path.join(folder, "jre"), library="32")
    java_home = h.install("home64")
    expect_equal(h.started(exe, {"JAVA_HOME": java_home}, f12=True), java_home + "\\bin\\", "JAVA_HOME used")
    h.log_has(folder, ["Runtime %s: %s (binarypath)" % (lib32, WRONG_BITS),
                       "Runtime %s\\bin\\server\\jvm.dll: %s (beside the program)" % (beside, WRONG_BITS),
                       "Runtime %s\\bin\\server\\jvm.dll: taken (JAVA_HOME)" % java_home])
    rc, messages = h.run(exe)
    expect_equal(rc, 1, "exit code")
    expect_messages(messages, [JDK12_REGISTRY, not_found(
        "%s: %s" % (lib32, WRONG_BITS), "%s\\bin\\server\\jvm.dll: %s" % (beside, WRONG_BITS))], "messages")
    expect_equal(h.loaded, ["jvm.dll"], "only the bare name reaches LoadLibraryA")


def bundled_runtime_only(h):
    """"#bundled#": with a registered runtime and JAVA_HOME about, a missing
    runtime folder is the one message, naming it, and nothing is loaded;
    the runtime folder beside the program, once there, starts."""
    folder, exe = h.app("bundled", binarypath="#bundled#")
    registered = h.install("registered")
    h.key(r"HKLM\SOFTWARE\JavaSoft\JDK\17", JavaHome=registered)
    _, env = h.log_env(JAVA_HOME=h.install("home"))
    rc, messages = h.run(exe, env=env)
    expect_messages(messages, [not_found(winpath(folder) + "\\runtime: folder not found")], "messages")
    expect_equal((rc, h.loaded), (1, []), "exit code, nothing loaded")
    bundled = h.install(os.path.join(folder, "runtime"))
    expect_equal(h.started(exe, {"JAVA_HOME": registered}), bundled + "\\bin\\", "the bundled runtime")


def bad_registry_values(h):
    """Registry values too long, empty, not a path or not text, one stored
    without its NUL (read as its four characters), and a library that is
    no PE file: each rejected with its reason, newest first."""
    reg_file = os.path.join(h.work, "bad.reg")
    values = [("30", '"C:\\\\%s"' % ("x" * 40000)), ("29", '""'), ("28", r'"caskit-runtimes\\relative"'),
              ("27", "dword:00000001"), ("26", "hex(1):43,00,3a,00,5c,00,6a,00")]
    with open(reg_file, "w", encoding="utf-16") as f:
        f.write("Windows Registry Editor Version 5.00\r\n")
        for version, data in values:
            f.write("\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\JavaSoft\\JDK\\%s]\r\n\"JavaHome\"=%s\r\n" % (version, data))
    h.wine_output(["regedit", "/s", winpath(reg_file)])
    text = h.install("text", library="text")
    h.key(r"HKLM\SOFTWARE\Eclipse Adoptium\JDK\24\hotspot\MSI", Path=text)
    folder, exe = h.app("bad")
    rc, messages = h.run(exe, f12=True)
    value = r"HKLM\SOFTWARE\JavaSoft\JDK\%s\JavaHome"
    rejected = [(value % "30", "value too long", "64-bit registry"), (value % "29", "empty", "64-bit registry"),
                (value % "28", "not a path", "64-bit registry"), (value % "27", "not a text value", "64-bit registry"),
                ("C:\\j", "folder not found", value % "26" + ", 64-bit registry"),
                (text + r"\bin\server\jvm.dll", "not a PE file",
                 r"HKLM\SOFTWARE\Eclipse Adoptium\JDK\24\hotspot\MSI\Path, 64-bit registry")]
    expect_equal(rc, 1, "exit code")
    expect_messages(messages, [JDK12_REGISTRY, not_found(*["%s: %s" % r[:2] for r in rejected])], "messages")
    h.log_has(folder, ["Runtime %s: %s (%s)" % r for r in rejected])
    expect_equal(h.loaded, ["jvm.dll"], "only the bare name reaches LoadLibraryA")


def stub11_does_not_search(h):
    h.key(r"HKLM\SOFTWARE\Eclipse Adoptium\JDK\21.0.5.11\hotspot\MSI", Path=h.install("adoptium21"))
    folder = h.folder("stub11")
    h.install(os.path.join(folder, "jre"))
    rc, messages = h.run(h.stub(11, folder, block()), env={"JAVA_HOME": h.install("home64")})
    expect_equal((rc, messages), (1, [JDK11_REGISTRY, JDK11_NOT_FOUND]), "exit code and messages")


def version_range(h):
    """Versions from version resources (11.0.2, 25.0.1) and a release file
    (17.0.2): with 17 to 21 JAVA_HOME's 25 and the registry's newer 11 are
    passed over, named with their versions, and the release file's 17
    starts; with at least 26 nothing is left and the last message names
    each runtime with its version and the download address, asking whether
    to open it."""
    folder, exe = h.app("range", javamin="17", javamax="21")
    java_home = h.install("v25home", library="v25")
    h.key(r"HKLM\SOFTWARE\JavaSoft\JDK\18", JavaHome=h.install("v11reg", library="v11"))
    jdk17 = h.install("jdk17", release="17.0.2")
    h.key(r"HKLM\SOFTWARE\JavaSoft\JDK\17", JavaHome=jdk17)
    expect_equal(h.started(exe, {"JAVA_HOME": java_home}, f12=True), jdk17 + "\\bin\\", "17 from the release file")
    v25 = java_home + r"\bin\server\jvm.dll: Java 25.0.1, this program needs at most 21"
    v11 = RUNTIMES + r"\v11reg\bin\server\jvm.dll: Java 11.0.2, this program needs 17 or newer"
    h.log_has(folder, ["Runtime %s (JAVA_HOME)" % v25, "Runtime %s (%s)" % (
        v11, r"HKLM\SOFTWARE\JavaSoft\JDK\18\JavaHome, 64-bit registry")])
    folder, exe = h.app("range26", javamin="26", downloadurl="https://example.org/java")
    rc, messages = h.run(exe, env={"JAVA_HOME": java_home})
    styles = []
    parse_messages(h.last_run[2], styles)
    rejected = [java_home + r"\bin\server\jvm.dll: Java 25.0.1, this program needs 26 or newer"] + [
        "%s\\bin\\server\\jvm.dll: Java %s, this program needs 26 or newer" % (home, v)
        for home, v in ((RUNTIMES + r"\v11reg", "11.0.2"), (jdk17, "17.0.2"))]
    expect_equal(rc, 1, "exit code")
    address = "\n\nA suitable Java can be downloaded from:\nhttps://example.org/java\n\nOpen this address now?"
    last = not_found(*rejected)
    expect_messages(messages, [JDK12_REGISTRY, (last[0] + address, last[1])], "messages")
    expect_equal(styles, [0, 4], "the last message asks Yes or No")


SCENARIOS = [
    ("version range", version_range),
    ("each install alone", each_source_alone),
    ("order of the sources", order_of_sources),
    ("highest registry version", highest_registry_version),
    ("32-bit libraries first", wrong_bitness_first),
    ("bad registry values", bad_registry_values),
    ("stub11 does not search", stub11_does_not_search),
    ("bundled runtime only", bundled_runtime_only),
]


def main():
    return scenario_main(Discovery, SCENARIOS, ("--build", "--helpers", "--work", "--standins32"),
                         end=Discovery.prepare)


if __name__ == "__main__":
    sys.exit(main())
