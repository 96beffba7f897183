#include "vmbind/Jdk12Options.h"

#include "platform/PathSeparator.h"
#include "vmbind/SizeNumber.h"

namespace {

void addAll(List<VmOption>& options, const List<Text>& texts, OptionSource source) {
    for (const Text& text : texts) options.push_back(VmOption{text, source});
}

const char* sourceName(OptionSource source) {
    switch (source) {
    case OptionSource::Launcher: break;
    case OptionSource::Project: return " (project)";
    case OptionSource::JdkJavaOptions: return " (JDK_JAVA_OPTIONS)";
    case OptionSource::OptionsFile: return " (options file)";
    case OptionSource::StartupCache: return " (start-up cache)";
    }
    return "";
}

}  // namespace

bool honoursCompilerProperty(const JavaVersion& runtime) { return runtime.count == 0 || runtime.parts[0] < 21; }

List<Text> jdk12Options(const LaunchParameters& parameters, const Text& classPathText, const JavaVersion& runtime) {
    List<Text> options;
    options.reserve(5 + parameters.properties.size());
    options.push_back("-Djava.class.path=" + classPathText);
    if (parameters.jitDisabled && honoursCompilerProperty(runtime)) options.push_back("-Djava.compiler=NONE");
    options.push_back("-Xms" + decimalText(parseSizeNumber(parameters.minHeap)) + "k");
    options.push_back("-Xmx" + decimalText(parseSizeNumber(parameters.maxHeap)) + "k");
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

List<VmOption> vmOptions(const LaunchParameters& parameters, const Text& classPathText, const JavaVersion& runtime,
                         const OptionSources& sources) {
    List<VmOption> options;
    addAll(options, jdk12Options(parameters, classPathText, runtime), OptionSource::Launcher);
    if (!parameters.exeFolder.empty()) {
        options.push_back(VmOption{"-Dcaskit.executable=" + parameters.exeFolder + parameters.exeName,
                                   OptionSource::Launcher});
        options.push_back(
            VmOption{"-Dcaskit.executable.dir=" + executableDir(parameters.exeFolder), OptionSource::Launcher});
    }
    addAll(options, parameters.jvmOptions, OptionSource::Project);
    addAll(options, sources.jdkJavaOptions, OptionSource::JdkJavaOptions);
    addAll(options, sources.optionsFile, OptionSource::OptionsFile);
    addAll(options, sources.startupCache, OptionSource::StartupCache);
    return options;
}

List<Text> jdk12DumpLines(const List<VmOption>& options) {
    List<Text> lines;
    lines.push_back("\n#Dump of JVM Parameters");
    lines.push_back("   Options:" + decimalText(options.size()));
    for (size_t j = 0; j < options.size(); ++j)
        lines.push_back("      Option[" + decimalText(j) + "] = " + options[j].text + sourceName(options[j].source));
    lines.push_back("#END Dump of JVM Parameters");
    return lines;
}
