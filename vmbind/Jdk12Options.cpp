#include "vmbind/Jdk12Options.h"

#include "vmbind/SizeNumber.h"

List<Text> jdk12Options(const LaunchParameters& parameters, const Text& classPathText) {
    List<Text> options;
    options.reserve(5 + parameters.properties.size());
    options.push_back("-Djava.class.path=" + classPathText);
    if (parameters.jitDisabled) options.push_back("-Djava.compiler=NONE");
    options.push_back("-Xms" + decimalText(parseSizeNumber(parameters.minHeap)) + "k");
    options.push_back("-Xmx" + decimalText(parseSizeNumber(parameters.maxHeap)) + "k");
    if (!parameters.classGcEnabled) options.push_back("-Xnoclassgc");
    for (const Text& property : parameters.properties) options.push_back(property);
    return options;
}

List<Text> jdk12DumpLines(const List<Text>& options) {
    List<Text> lines;
    lines.push_back("\n#Dump of JVM Parameters");
    lines.push_back("   Options:" + decimalText(options.size()));
    for (size_t j = 0; j < options.size(); ++j)
        lines.push_back("      Option[" + decimalText(j) + "] = " + options[j]);
    lines.push_back("#END Dump of JVM Parameters");
    return lines;
}
