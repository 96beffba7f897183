#include "vmbind/Jdk12Options.h"

#include "platform/PathSeparator.h"
#include "vmbind/JdkJavaOptions.h"
#include "vmbind/SizeNumber.h"

namespace {

// How the dump names a source; the launcher's own options are not named.
// Indexed by OptionSource (the fixed options name no source).
const char kSourceNames[] = "\0 (project)\0 (JDK_JAVA_OPTIONS)\0 (options file)\0 (start-up cache)\0";

}  // namespace

void appendOptions(VmOptions& options, const List<Text>& texts, OptionSource source) {
    for (const Text& text : texts)
        if (!isJavaCommandOption(text)) options.texts.push_back(text);
    options.ends[static_cast<unsigned>(source)] = options.texts.size();
}

// "-Xms" or "-Xmx" and the size in kilobytes.
static Text heapOption(const char* name, const Text& size) {
    Text option = name;
    option += decimalText(parseSizeNumber(size));
    option += 'k';
    return option;
}

bool honoursCompilerProperty(const JavaVersion& runtime) { return runtime.count == 0 || runtime.parts[0] < 21; }

List<Text> jdk12Options(const LaunchParameters& parameters, const Text& classPathText, const JavaVersion& runtime) {
    List<Text> options;
    options.reserve(5 + parameters.properties.size());
    options.push_back("-Djava.class.path=" + classPathText);
    if (parameters.jitDisabled && honoursCompilerProperty(runtime)) options.push_back("-Djava.compiler=NONE");
    const int32_t runtimeHeap = parseSizeNumber(parameters.runtimeHeap);
    if (!(runtimeHeap & 1)) options.push_back(heapOption("-Xms", parameters.minHeap));
    if (!(runtimeHeap & 2)) options.push_back(heapOption("-Xmx", parameters.maxHeap));
    if (!parameters.classGcEnabled) options.push_back("-Xnoclassgc");
    for (const Text& property : parameters.properties) options.push_back(property);
    return options;
}

Text executableDir(const Text& exeFolder) {
    Text folder = exeFolder;
    const bool root = folder.size() == 1 || (folder.size() == 3 && folder[1] == ':');
    if (!root && !folder.empty() && platform::isPathSeparator(folder.back())) folder.resize(folder.size() - 1);
    return folder;
}

VmOptions vmOptions(const LaunchParameters& parameters, const Text& classPathText, const JavaVersion& runtime,
                    const OptionSources& sources) {
    VmOptions options;
    options.texts = jdk12Options(parameters, classPathText, runtime);
    if (!parameters.exeFolder.empty()) {
        Text path = "-Dcaskit.executable=";
        path += parameters.exeFolder;
        path += parameters.exeName;
        options.texts.push_back(path);
        path = "-Dcaskit.executable.dir=";
        path += executableDir(parameters.exeFolder);
        options.texts.push_back(path);
    }
    options.ends[0] = options.texts.size();
    appendOptions(options, parameters.jvmOptions, OptionSource::Project);
    appendOptions(options, sources.jdkJavaOptions, OptionSource::JdkJavaOptions);
    appendOptions(options, sources.optionsFile, OptionSource::OptionsFile);
    return options;
}

List<Text> jdk12DumpLines(const VmOptions& options) {
    List<Text> lines;
    lines.push_back("\n#Dump of JVM Parameters");
    lines.push_back("   Options:" + decimalText(options.texts.size()));
    for (size_t j = 0; j < options.texts.size(); ++j) {
        Text line = "      Option[" + decimalText(j) + "] = ";
        line += options.texts[j];
        line += packedText(kSourceNames, static_cast<unsigned>(options.sourceOf(j)));
        lines.push_back(static_cast<Text&&>(line));
    }
    lines.push_back("#END Dump of JVM Parameters");
    return lines;
}
