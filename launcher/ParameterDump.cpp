// The parameter dump written to the diagnostic log by the JDK 1.1 stub.
#include "launcher/ParameterDump.h"

#include "launcher/DiagnosticLog.h"
#include "platform/CodePage.h"

namespace {

// `utf8` items are written in the log's 8-bit text.
void addList(List<Text>& lines, const char* heading, const char* itemLabel, const List<Text>& items,
             bool utf8 = false) {
    lines.push_back(heading + decimalText(items.size()));
    for (size_t i = 0; i < items.size(); ++i)
        lines.push_back(Text("      ") + itemLabel + " " + decimalText(i) + ":" +
                        (utf8 ? ansiFromUtf8(items[i]) : items[i]));
}

const char* classPathModeText(ClassPathMode mode) {
    switch (mode) {
    case ClassPathMode::Prepend: return "   Prepend System Classpath";
    case ClassPathMode::Ignore: return "   Ignore System Classpath";
    case ClassPathMode::Append: break;
    }
    return "   Append System Classpath";
}

const char* verifyModeText(VerifyMode mode) {
    switch (mode) {
    case VerifyMode::Remote: return "   Network Classes Verify";
    case VerifyMode::All: return "   Classes Verify";
    case VerifyMode::None: break;
    }
    return "   No Classes Verify";
}

}  // namespace

List<Text> parameterDumpLines(const LaunchParameters& p) {
    List<Text> lines;
    // The LF in front makes the dump start with a line of three blanks.
    lines.push_back("\n#Dump of Parameter Object");
    lines.push_back("   Executable:" + p.exeFolder + p.exeName);
    lines.push_back("   JRE Path:" + p.binaryPath);
    lines.push_back("   Java Main Class:" + p.mainClass);
    addList(lines, "   ClassPaths:", "Path", p.classPath);
    lines.push_back(classPathModeText(p.classPathMode));
    addList(lines, "   Optional Arguments:", "Argument", p.arguments, true);
    addList(lines, "   Properties:", "Property", p.properties);
    lines.push_back("   Minimum Heap Size:" + p.minHeap);
    lines.push_back("   Maximum Heap Size:" + p.maxHeap);
    lines.push_back("   Native Stack Size:" + p.nativeStackSize);
    lines.push_back("   Java Stack Size:" + p.javaStackSize);
    lines.push_back(p.classGcEnabled ? "   Class Garbage Collection Enabled" : "   Class Garbage Collection Disabled");
    lines.push_back(p.asyncGcDisabled ? "   Async Garbage Collection Disabled" : "   Async Garbage Collection Enabled");
    lines.push_back(p.jitDisabled ? "   JIT Compiler Disabled" : "   JIT Compiler Enabled");
    lines.push_back(verifyModeText(p.verifyMode));
    lines.push_back("#END Dump of Parameter Object");
    return lines;
}

void LaunchParameters::dumpParameters() const {
    if (!diagnosticsEnabled) return;
    for (const Text& line : parameterDumpLines(*this)) diagnosticLog().writeLine(line);
}
