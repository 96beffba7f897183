#pragma once
// The option list of the JDK 1.2 VM start and its diagnostic dump.

#include "launcher/LaunchParameters.h"
#include "vmbind/JavaVersion.h"

// Where an option comes from. The VM takes the last of a repeated option,
// so the later sources win: the list holds them in this order.
enum class OptionSource : unsigned char {
    Launcher,        // the fixed options, the properties, caskit.executable
    Project,         // the project's VM options
    JdkJavaOptions,  // the JDK_JAVA_OPTIONS variable
    OptionsFile,     // the options file beside the executable
    StartupCache,    // the start-up cache's own options
};

// The option list: every text in order, and where each source's options
// end (the options of source k are texts[ends[k-1]] up to texts[ends[k]]).
struct VmOptions {
    List<Text> texts;
    size_t ends[5] = {0, 0, 0, 0, 0};

    OptionSource sourceOf(size_t index) const {
        unsigned k = 0;
        while (k < 4 && index >= ends[k]) ++k;
        return static_cast<OptionSource>(k);
    }
};

// The options of the sources read by their own readers before the list is
// built. The start-up cache's depend on the list (their name is a hash of
// it): they are appended afterwards (appendOptions).
struct OptionSources {
    List<Text> jdkJavaOptions;
    List<Text> optionsFile;
};

// Whether a runtime of `runtime` (count 0: unknown) still honours
// -Djava.compiler=NONE: Java 21 and newer ignore it with a warning.
bool honoursCompilerProperty(const JavaVersion& runtime);

// The launcher's own options: "-Djava.class.path=" + class path,
// "-Djava.compiler=NONE" when the JIT is off and the runtime still honours
// it (before Java 21, or of unknown version `runtime.count` 0), "-Xms<n>k",
// "-Xmx<n>k" (each unless "runtimeheap" leaves it to the runtime),
// "-Xnoclassgc" when class GC is off, then every property (already
// complete "-D" options) in list order. The list grows as needed: every
// property reaches the VM.
List<Text> jdk12Options(const LaunchParameters& parameters, const Text& classPathText,
                        const JavaVersion& runtime = JavaVersion());

// The whole list, each option with its source, in the order of
// OptionSource: the launcher's own options, then "-Dcaskit.executable="
// and "-Dcaskit.executable.dir=" (the executable's path and folder; none
// when its path is unknown), the project's options, JDK_JAVA_OPTIONS, the
// options file.
VmOptions vmOptions(const LaunchParameters& parameters, const Text& classPathText, const JavaVersion& runtime,
                    const OptionSources& sources);

// Appends `texts` to the list as the options of `source`, the last source
// so far, leaving out the `java` command's own options (-server...),
// which `java` takes from its command line and never passes to the VM.
void appendOptions(VmOptions& options, const List<Text>& texts, OptionSource source);

// The executable's folder as caskit.executable.dir and %EXEDIR% give it:
// `exeFolder` without its final separator (a root keeps it).
Text executableDir(const Text& exeFolder);

// The log lines of the JVM parameter dump, one writeLine each; an option
// from another source than the launcher's is followed by its source in
// parentheses: "(project)", "(JDK_JAVA_OPTIONS)", "(options file)",
// "(start-up cache)".
List<Text> jdk12DumpLines(const VmOptions& options);
