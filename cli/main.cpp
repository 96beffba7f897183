// caskit: the command-line builder. Writes project files, shows them and
// compiles them into launchers for Windows and Linux without a window.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "CaskitVersion.h"
#include "cli/CodePageOption.h"
#include "cli/Commands.h"
#include "cli/ProjectOptions.h"
#include "cli/Targets.h"
#ifdef CASKIT_BUNDLE
#include "cli/bundle/BundleOptions.h"
#endif

namespace {

// The help of "caskit bundle", which the 32-bit caskit.exe leaves to the
// Linux caskit and the 64-bit caskit.exe.
const char* bundleHelpText() {
#ifdef CASKIT_BUNDLE
    return bundle::bundleHelp();
#else
    return "  caskit bundle: self-contained applications, made by the Linux caskit and\n"
           "      the 64-bit caskit.exe.\n\n";
#endif
}

}  // namespace

void printHelp() {
    std::printf(
        "caskit - build native launchers for Java applications\n"
        "\n"
        "Usage:\n"
        "  caskit new PROJECT.csk --jdk 1.1|2.0 [OPTIONS]\n"
        "      Writes a project file (an existing file is replaced only after a\n"
        "      complete write). --jdk 1.1 makes a JDK 1.1 project (javai.dll\n"
        "      runtimes, Windows only), --jdk 2.0 a JDK 1.2-style project (jvm.dll,\n"
        "      libjvm.so). Options, one per setting:\n"
        "%s"
        "      Options take their value as the next word or after \"=\".\n"
        "\n"
        "  caskit compile PROJECT.csk [--target TARGET] [--out PATH] [--stubs DIR]\n"
        "                [--trailer[=yes|no]]\n"
        "      Copies the launcher stub for the project's JDK and TARGET to the\n"
        "      project's exe folder + exe name (or PATH) and stores the settings in\n"
        "      it. TARGET is windows-x64, windows-x86 or linux-x64 (default: %s,\n"
        "      the system caskit runs on). JDK 1.1 projects have no Linux launcher.\n"
        "      The project needs a main class and an exe name (or --out).\n"
        "      A relative exe folder or icon path counts from the project file's\n"
        "      folder; PATH counts from the current directory.\n"
        "      The stubs come from DIR, by default the folder stubs/TARGET/ beside\n"
        "      caskit, else ../lib/caskit/stubs/TARGET/ from caskit's folder (as\n"
        "      installed): stub11.exe and stub12.exe, or stub12 for Linux.\n"
        "      Windows executables get the settings, version block and icons as\n"
        "      resources, on every system; with --trailer the settings are appended\n"
        "      to the file as a trailer instead (and no version block or icons are\n"
        "      written). The new executable replaces the old one only once it is\n"
        "      complete. An icon that cannot be read is a warning, not an error.\n"
        "\n"
        "%s"
        "  caskit set PROJECT.csk [OPTIONS]\n"
        "      Changes the settings named (the options of new) and keeps every\n"
        "      other one. A list option adds to its list; --clear-class-path,\n"
        "      --clear-properties, --clear-env and --clear-jvm-options empty a list\n"
        "      first. The file is replaced only after a complete write.\n"
        "\n"
        "  caskit show PROJECT.csk\n"
        "      Prints every setting of a project.\n"
        "\n"
        "  caskit cache list\n"
        "  caskit cache clear --all|EXECUTABLE\n"
        "      Lists the start-up caches of this user's programs (program, runtime,\n"
        "      size, last use), or removes them: all, or those of one executable.\n"
        "      A cache in use by a running program is left. The caches of all\n"
        "      programs together are kept under 512 MB (CASKIT_STARTUP_CACHE_MB sets\n"
        "      another cap), the least recently used removed first.\n"
        "\n"
        "  caskit --version\n"
        "      Prints the version of caskit (also \"caskit version\").\n"
        "\n"
        "  caskit --help\n"
        "      This text (also shown for --help after any command).\n"
        "\n"
        "Where a launcher looks for Java (JDK 2.0 projects; also after a --vm-library\n"
        "that does not load), in order:\n"
        "  Windows: the runtime registered for JDK 1.2 and jvm.dll on PATH; a jre,\n"
        "    then a runtime folder beside the executable; JAVA_HOME; the Java\n"
        "    runtimes in the registry (HKLM then HKCU, 64- and 32-bit, JavaSoft,\n"
        "    Eclipse Adoptium, Microsoft, Azul Zulu and others), newest first;\n"
        "    java.exe on PATH.\n"
        "  Linux: a jre, then a runtime folder beside the launcher; JAVA_HOME; java\n"
        "    on PATH (through its links); /usr/lib/jvm/default-java; the newest\n"
        "    runtime under /usr/lib/jvm; then libjvm.so on the library path.\n"
        "  A library the launcher cannot load (for example 32-bit Java for a 64-bit\n"
        "  launcher) is passed over and named when nothing is found. F12 held at\n"
        "  start (Windows) or CASKIT_DIAGNOSTICS=1 (Linux) lists every candidate in\n"
        "  Log.txt. JDK 1.1 launchers use the registered JDK 1.1 runtime only.\n"
        "  With --java-min or --java-max, each runtime's version is read before it\n"
        "  is loaded (the library's version resource or the runtime's release\n"
        "  file); one outside the range, or whose version cannot be read, is\n"
        "  passed over and named with its version; among the others the order\n"
        "  above holds, each source's newest first.\n"
        "\n"
        "VM options of a JDK 2.0 launcher, in order (the VM takes the last of a\n"
        "repeated option): the heap sizes and switches (\"JIT off\" passes\n"
        "-Djava.compiler=NONE to runtimes before Java 21 only, where it means the\n"
        "interpreter), the properties, -Dcaskit.executable= the executable's full\n"
        "path and -Dcaskit.executable.dir= its folder, the --jvm-option entries,\n"
        "JDK_JAVA_OPTIONS (for Java 9 and newer, split and announced on standard\n"
        "error as java does), then the options file beside the executable: its name\n"
        "without .exe followed by .options (app.exe and app read app.options),\n"
        "UTF-8, one option per line, empty lines and lines starting with # skipped,\n"
        "%%EXEDIR%% (the executable's folder) and %%NAME%% (environment) expanded. A\n"
        "line that is no option, is not UTF-8 or holds a character the system's\n"
        "code page lacks, and a file over 64 KB, stop the start with a message\n"
        "naming the file and the line (exit code 1).\n"
        "\n"
        "%s"
        "Errors are printed to standard error as one line, \"caption: text\"; the\n"
        "exit code is 0 on success, 1 when the command failed and 2 for wrong usage.\n",
        projectOptionsHelp().c_str(), targetName(hostTarget()), bundleHelpText(), codePageHelp());
}

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        std::fprintf(stderr, "caskit: no command given (see caskit --help)\n");
        return 2;
    }
    const std::string command = words.front();
    words.erase(words.begin());
    // "caskit new --help" and the like; a later "--help" is looked for by
    // each command, where it can be told apart from an option's value.
    if (!words.empty() && (words.front() == "--help" || words.front() == "-h")) {
        printHelp();
        return 0;
    }
    try {
        if (command == "--help" || command == "-h" || command == "help") {
            printHelp();
            return 0;
        }
        if (command == "--version" || command == "version") {
            std::printf("caskit %s\n", CASKIT_VERSION);
            return 0;
        }
        if (command == "new") return runNew(words);
        if (command == "compile") return runCompile(words);
        if (command == "show") return runShow(words);
        if (command == "set") return runSet(words);
        if (command == "bundle") {
#ifdef CASKIT_BUNDLE
            return runBundle(words);
#else
            std::fprintf(stderr, "caskit bundle: bundles are made by the Linux caskit and the 64-bit caskit.exe\n");
            return 1;
#endif
        }
        if (command == "cache") return runCache(words);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "caskit: out of memory\n");
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "caskit: %s\n", *e.what() ? e.what() : "out of memory");
        return 1;
    }
    std::fprintf(stderr, "caskit: unknown command \"%s\" (see caskit --help)\n", command.c_str());
    return 2;
}
