#!/usr/bin/python3
"""Wine tier of the launcher's text handling: arguments reach main as
their exact UTF-16 units (from the command line, and from "parameters" in
the ANSI code page of the system), an executable in a folder whose name
the ANSI code page cannot hold still finds its block and starts, paths
in a double-byte code page are split by characters, and an
exception thrown out of main ends the run with exit code 1.

  wine_text.py --build WIN64_TREE --helpers HELPER_DIR --work SCRATCH [-k NAME]
"""
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import wine_stubs  # noqa: E402
from wine_stubs import KEY12, WINE, read_lines, surroundings, utf16_units, vm_record  # noqa: E402
from caskit_test import (expect_equal, log_records, parameter_block as block, run_to_files, trailer,  # noqa: E402
                         winpath)

JAPANESE = {"LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8"}


def japanese_with_file_names(h):
    """JAPANESE with the C library's ja_JP.UTF-8 locale compiled beside the
    work folder (LOCPATH): Wine takes its ANSI code page from the locale's
    name, but reads Unix file names and the environment in the character
    set of a locale the C library has, and without one it keeps 7 bits of
    each byte. None when the locale cannot be compiled (no locale sources:
    the Debian package "locales")."""
    folder = os.path.join(os.path.dirname(h.work), "locale")
    if not os.path.isdir(os.path.join(folder, "ja_JP.UTF-8")):
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["localedef", "-i", "ja_JP", "-f", "UTF-8", os.path.join(folder, "ja_JP.UTF-8")],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if not os.path.isfile(os.path.join(folder, "ja_JP.UTF-8", "LC_CTYPE")):
        return None
    return dict(JAPANESE, LOCPATH=folder)


def cp932(text):
    """A text as the launcher holds it in code page 932, read as the
    stand-in's log is read (Latin-1)."""
    return text.encode("cp932").decode("latin-1")


def new_strings(calls):
    return [l[len("NewString "):] for l in calls if l.startswith("NewString ")]


def stub_with_block(h, folder, block_text, encoding="cp1252", name="app.exe"):
    exe = os.path.join(folder, name)
    shutil.copyfile(os.path.join(h.build, "bin", "stub12.exe"), exe)
    with open(exe, "ab") as f:
        f.write(trailer(block_text.encode(encoding)))
    return exe


def command_line_units(h):
    """The UTF-16 command line: characters outside every ANSI code page
    reach main exactly; "parameters" follow, converted from code page 1252."""
    app = h.folder("text_cmdline")
    exe = stub_with_block(h, app, block(binarypath=winpath(h.standin("jvm.dll")), parameters="\u00e9t\u00e9 \u20ac"))
    log, env = h.log_env()
    args = ["\u00e9", "\u03a9", "\u65e5\u672c", "\U0001F600", "a b"]
    rc, _ = h.run(exe, env=env, command_line='"%s" %s' % (winpath(exe), " ".join(
        '"%s"' % a if " " in a else a for a in args)))
    _, _, calls = vm_record(read_lines(log))
    expect_equal((rc, new_strings(calls)), (0, [utf16_units(a) for a in args + ["\u00e9t\u00e9", "\u20ac"]]),
                 "exit code and the units of every argument")


def parameters_in_other_code_pages(h):
    """A system whose ANSI code page is 932 or 1253 stores "parameters" in
    it; they reach main as the characters they are there."""
    for lang, encoding, text in [("ja_JP.UTF-8", "cp932", "\u65e5\u672c"), ("el_GR.UTF-8", "cp1253", "\u03a9mega")]:
        app = h.folder("text_" + encoding)
        exe = stub_with_block(h, app, block(binarypath=winpath(h.standin("jvm.dll")), parameters=text), encoding)
        log, env = h.log_env()
        env.update(LANG=lang, LC_ALL=lang)
        rc, _ = h.run(exe, env=env)
        _, _, calls = vm_record(read_lines(log))
        expect_equal((rc, new_strings(calls)), (0, [utf16_units(text)]), encoding + ": exit code and units")


def folder_outside_the_code_page(h):
    """An executable in a folder named "\u03a9mega": the trailer form and the
    resource form both find their block and start; the current folder
    and the class path get the folder's short form, and the log says so;
    caskit.executable and caskit.executable.dir get the exact path."""
    for mode in ["trailer", "resources"]:
        staging = h.folder("text_staging_" + mode)
        exe = h.stub(12, staging, block(binarypath=winpath(h.standin("jvm.dll")), classname="omega.Main",
                                        classpath=["lib\\app.jar"]), mode=mode)
        folder = os.path.join(h.work, "\u03a9mega_" + mode)
        shutil.rmtree(folder, ignore_errors=True)
        os.rename(staging, folder)
        exe = os.path.join(folder, os.path.basename(exe))
        log, env = h.log_env()
        start = h.folder("text_start")
        rc, _ = h.run(exe, ["x"], cwd=start, env=env, f12=True)
        create, around, calls = vm_record(read_lines(log))
        cwd = [l for l in around if l.startswith("cwd=")][0][4:]
        expect_equal((rc, "FindClass omega/Main" in calls, "?" in cwd, cwd.lower() == winpath(start).lower()),
                     (0, True, False, False), mode + ": started with its block, in the short form of its folder")
        # The exact path, which no option in the ANSI code page can carry.
        exact = [l for l in calls if l.startswith("CallStaticObjectMethod ")]
        expect_equal(exact, [("CallStaticObjectMethod java/lang/System.setProperty %s=%s" % pair).encode(
            "utf-8").decode("latin-1") for pair in (("caskit.executable", winpath(exe)),
                                                    ("caskit.executable.dir", winpath(folder)))],
            mode + ": caskit.executable set from the UTF-16 path")
        expect_equal(create[1], "option[0]=-Djava.class.path=.;lib\\app.jar;", mode + ": class path")
        with open(os.path.join(folder, "Log.txt"), "rb") as f:
            first = f.read().split(b"\r\n")[1]
        expect_equal(first.startswith(b"   #Executable path outside the ANSI code page or too long; using its short form "),
                     True, mode + ": the log says so")


def paths_in_code_page_932(h):
    """Code page 932, where the second byte of "\u30bd" is a backslash and
    that of "\u30dd" is "|": an executable named "\u30bd\u30d5\u30c8.exe" gets its
    folder (current folder, class path, Log.txt of the VM start); a
    registered home "...\\\u30bd" passes the folder probe (a folder
    "\u30bdzy8zxx.zxi" beside it stands where a probe split in the wrong place
    would create its file); a home "...\\\u30dd\u30bd" is found by the search
    through JAVA_HOME and through its java.exe on PATH, and its bin folder
    leads PATH."""
    japanese = japanese_with_file_names(h)
    if not japanese:
        print("note: the ja_JP.UTF-8 locale cannot be compiled (localedef, package locales); scenario skipped")
        return
    app, start = h.folder("cp932_app"), h.folder("cp932_start")
    exe = stub_with_block(h, app, block(classname="sjis.Main", classpath=["lib\\app.jar"]), "cp932",
                          "\u30bd\u30d5\u30c8.exe")
    runtimes = h.folder("cp932_runtimes")
    registered, variable = os.path.join(runtimes, "\u30bd"), os.path.join(runtimes, "\u30dd\u30bd")
    for home, layout in ((registered, "classic"), (variable, "server")):
        os.makedirs(os.path.join(home, "bin", layout))
        shutil.copyfile(h.standin("jvm.dll"), os.path.join(home, "bin", layout, "jvm.dll"))
    os.makedirs(os.path.join(runtimes, "\u30bdzy8zxx.zxi"))
    run_to_files([WINE, "reg", "add", KEY12, "/v", "JavaHome", "/d", winpath(registered), "/f"], h.work,
                 env=dict(h.env, WINEDEBUG="-all", **japanese), cwd=h.work)

    log, env = h.log_env(**japanese)
    rc, messages = h.run(exe, ["x"], cwd=start, env=env, f12=True)
    create, around, calls = vm_record(read_lines(log))
    expect_equal((rc, messages, calls[0]), (0, [], "FindClass sjis/Main"), "registered: exit code, messages, class")
    expect_equal((surroundings(around, "cwd"), create[1]),
                 (cp932(winpath(app)), cp932("option[0]=-Djava.class.path=.;%s\\lib\\rt.jar;lib\\app.jar;"
                                             % winpath(registered))), "current folder and class path")
    with open(os.path.join(app, "Log.txt"), "rb") as f:
        expect_equal(b"#Dump of JVM Parameters" in f.read(), True, "Log.txt beside the executable")

    h.clear_registry()
    with open(os.path.join(variable, "bin", "java.exe"), "wb") as f:
        f.write(b"MZ")
    for source in ({"JAVA_HOME": winpath(variable)}, {"WINEPATH": winpath(variable) + "\\bin"}):
        log, env = h.log_env(**source, **japanese)
        rc, messages = h.run(exe, env=env)
        _, around, _ = vm_record(read_lines(log))
        expect_equal((rc, messages, surroundings(around, "PATH").split(";")[1]),
                     (0, [], cp932(winpath(variable) + "\\bin\\")), "%r: exit code, messages, bin folder" % source)


def exception_in_main(h):
    """main throws: its stack trace is described, the VM destroyed, exit
    code 1, and the log (F12 held) says main ended with an exception."""
    app = h.folder("text_throw")
    exe = h.stub(12, app, block(binarypath=winpath(h.standin("jvm.dll"))))
    log, env = h.log_env(CASKIT_STANDIN_FAIL="throw")
    rc, messages = h.run(exe, env=env, f12=True)
    _, _, calls = vm_record(read_lines(log))
    expect_equal((rc, messages, calls[-3:]), (1, [], ["ExceptionDescribe", "DestroyJavaVM", "FreeLibrary console=no"]),
                 "exit code, messages and the end of the run")
    with open(os.path.join(app, "Log.txt"), "rb") as f:
        expect_equal(f.read().endswith(log_records(["CallStaticVoidMethod End\n", "main ended with an exception"])),
                     True, "Log.txt")


SCENARIOS = [
    ("command line in UTF-16", command_line_units),
    ("parameters in code pages 932 and 1253", parameters_in_other_code_pages),
    ("folder outside the ANSI code page", folder_outside_the_code_page),
    ("paths in code page 932", paths_in_code_page_932),
    ("exception in main", exception_in_main),
]


if __name__ == "__main__":
    sys.exit(wine_stubs.main(SCENARIOS))
