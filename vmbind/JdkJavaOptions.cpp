#include "vmbind/JdkJavaOptions.h"

#include "launcher/DiagnosticLog.h"
#include "platform/Console.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"

#include <string.h>

namespace {

const char kVariable[] = "JDK_JAVA_OPTIONS";

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The options whose value `java` also takes as the next word; the VM
// takes only "name=value". "-p" is the short name of --module-path.
// Texts ended by a zero each, the list by an empty one.
const char kTakesValue[] =
    "--add-opens\0--add-exports\0--add-reads\0--add-modules\0--limit-modules\0--module-path\0"
    "--upgrade-module-path\0--patch-module\0--enable-native-access\0";

const char* joinedName(const Text& word) {
    if (word == "-p") return "--module-path";
    for (const char* name = kTakesValue; *name; name += strlen(name) + 1)
        if (word == name) return name;
    return nullptr;
}

}  // namespace

bool splitJdkJavaOptions(const Text& value, List<Text>& options) {
    const char* joining = nullptr;  // the option the last word named, waiting for its value
    size_t at = 0;
    while (at < value.size()) {
        if (isSpace(value[at])) {
            ++at;
            continue;
        }
        Text word;
        while (at < value.size() && !isSpace(value[at])) {
            const char c = value[at++];
            if (c != '"' && c != '\'') {
                word += c;
                continue;
            }
            const size_t close = value.find(c, at);
            if (close == Text::npos) return false;
            word.append(value.data() + at, close - at);
            at = close + 1;
        }
        if (joining) {
            options.back() = joining;
            options.back() += '=';
            options.back() += word;
            joining = nullptr;
        } else {
            joining = joinedName(word);
            options.push_back(static_cast<Text&&>(word));
        }
    }
    return true;
}

bool jdkJavaOptions(const LaunchParameters& parameters, const JavaVersion& version, List<Text>& options) {
    Text value;
    if (!platform::startupVariable(kVariable, value)) return true;
    if (version.count == 0 || version.parts[0] < 9) {
        if (parameters.diagnosticsEnabled) {
            Text line = "JDK_JAVA_OPTIONS not used: Java ";
            line += version.count ? versionText(version) : Text("version unknown");
            diagnosticLog().writeLine(line);
        }
        return true;
    }
    static const char kNote[] = "NOTE: Picked up JDK_JAVA_OPTIONS: ";
    platform::writeStandardError(kNote, sizeof kNote - 1);
    platform::writeStandardError(value.data(), value.size());
    platform::writeStandardError("\n", 1);
    if (splitJdkJavaOptions(value, options)) return true;
    platform::showMessage(nullptr, "Unmatched quote in environment variable JDK_JAVA_OPTIONS", "Error",
                          platform::kMbOk);
    return false;
}
