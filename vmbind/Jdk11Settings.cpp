#include "vmbind/Jdk11Settings.h"

#include "vmbind/SizeNumber.h"

PropertyArray::PropertyArray(const std::vector<std::string>& properties) {
    texts_.reserve(properties.size());
    for (const std::string& property : properties) {
        texts_.emplace_back(property.begin(), property.end());
        texts_.back().push_back('\0');
    }
    pointers_.reserve(texts_.size() + 1);
    for (std::vector<char>& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
}

void applySettings(JDK1_1InitArgs& args, const LaunchParameters& parameters, char** properties) {
    args.properties = properties;
    args.nativeStackSize = kilobytesToBytes(parseSizeNumber(parameters.nativeStackSize));
    args.javaStackSize = kilobytesToBytes(parseSizeNumber(parameters.javaStackSize));
    args.minHeapSize = kilobytesToBytes(parseSizeNumber(parameters.minHeap));
    args.maxHeapSize = kilobytesToBytes(parseSizeNumber(parameters.maxHeap));
    args.verifyMode = static_cast<jint>(parameters.verifyMode);
    args.enableClassGC = parameters.classGcEnabled ? 1 : 0;
    args.disableAsyncGC = parameters.asyncGcDisabled ? 1 : 0;
}

static std::string number(jint value) { return std::to_string(static_cast<long long>(value)); }

std::vector<std::string> jdk11DumpLines(const JDK1_1InitArgs& args) {
    std::vector<std::string> lines;
    lines.push_back("\n#Dump of JVM Parameters");
    lines.push_back("   JVM Properties");
    if (args.properties) {
        for (std::size_t i = 0; args.properties[i]; ++i)
            lines.push_back("      Property[" + std::to_string(i) + "] = " + args.properties[i]);
    }
    lines.push_back("   Native StackSize = " + number(args.nativeStackSize));
    lines.push_back("   Java StackSize = " + number(args.javaStackSize));
    lines.push_back("   Min Heap Size = " + number(args.minHeapSize));
    lines.push_back("   Max Heap Size = " + number(args.maxHeapSize));
    lines.push_back("   Verify Mode = " + number(args.verifyMode));
    lines.push_back("   Enable Class GC = " + number(args.enableClassGC));
    lines.push_back("   Disable Async GC = " + number(args.disableAsyncGC));
    lines.push_back("   Classpath = " + std::string(args.classpath ? args.classpath : ""));
    lines.push_back("#END Dump of JVM Parameters");
    return lines;
}
