#include "vmbind/Jdk12Options.h"

#include "vmbind/SizeNumber.h"

std::vector<std::string> jdk12Options(const LaunchParameters& parameters, const std::string& classPathText) {
    std::vector<std::string> options;
    options.reserve(5 + parameters.properties.size());
    options.push_back("-Djava.class.path=" + classPathText);
    if (parameters.jitDisabled) options.push_back("-Djava.compiler=NONE");
    options.push_back("-Xms" + std::to_string(parseSizeNumber(parameters.minHeap)) + "k");
    options.push_back("-Xmx" + std::to_string(parseSizeNumber(parameters.maxHeap)) + "k");
    if (!parameters.classGcEnabled) options.push_back("-Xnoclassgc");
    for (const std::string& property : parameters.properties) options.push_back(property);
    return options;
}

std::vector<std::string> jdk12DumpLines(const std::vector<std::string>& options) {
    std::vector<std::string> lines;
    lines.push_back("\n#Dump of JVM Parameters");
    lines.push_back("   Options:" + std::to_string(options.size()));
    for (std::size_t j = 0; j < options.size(); ++j)
        lines.push_back("      Option[" + std::to_string(j) + "] = " + options[j]);
    lines.push_back("#END Dump of JVM Parameters");
    return lines;
}
