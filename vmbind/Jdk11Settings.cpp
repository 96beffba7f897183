#include "vmbind/Jdk11Settings.h"

#include "vmbind/SizeNumber.h"

PropertyArray::PropertyArray(const List<Text>& properties) : texts_(properties) {
    pointers_.reserve(texts_.size() + 1);
    for (Text& text : texts_) pointers_.push_back(text.data());
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

List<Text> jdk11DumpLines(const JDK1_1InitArgs& args) {
    List<Text> lines;
    lines.push_back("\n#Dump of JVM Parameters");
    lines.push_back("   JVM Properties");
    if (args.properties) {
        for (size_t i = 0; args.properties[i]; ++i)
            lines.push_back("      Property[" + decimalText(i) + "] = " + args.properties[i]);
    }
    lines.push_back("   Native StackSize = " + decimalText(args.nativeStackSize));
    lines.push_back("   Java StackSize = " + decimalText(args.javaStackSize));
    lines.push_back("   Min Heap Size = " + decimalText(args.minHeapSize));
    lines.push_back("   Max Heap Size = " + decimalText(args.maxHeapSize));
    lines.push_back("   Verify Mode = " + decimalText(args.verifyMode));
    lines.push_back("   Enable Class GC = " + decimalText(args.enableClassGC));
    lines.push_back("   Disable Async GC = " + decimalText(args.disableAsyncGC));
    lines.push_back(Text("   Classpath = ") + (args.classpath ? args.classpath : ""));
    lines.push_back("#END Dump of JVM Parameters");
    return lines;
}
