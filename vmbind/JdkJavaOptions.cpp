#include "vmbind/JdkJavaOptions.h"

#include "launcher/DiagnosticLog.h"
#include "platform/Console.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"

#include <string.h>

namespace {

const char kVariable[] = "JDK_JAVA_OPTIONS";
const uint64_t kMostArgumentFileBytes = 1 << 20;

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Words of the `java` command, each after its class: 'j' options that
// `java` also takes with their value as the next word, which the VM takes
// only as "name=value" ("-p" is the short name of --module-path); 'r'
// refused in the variable, what names the program to run (the options
// that end `java` before main, -version, --help..., the VM refuses as
// unknown); 'v' and 'o' options of the command itself rather
// than of the VM (the launcher chooses the class path and the VM), left
// out, 'v' with the word after it as its value; 's' VM options that decide
// class-data sharing. A final '*' matches every word it begins.
const char kJavaWords[] =
    "j--add-opens\0j--add-exports\0j--add-reads\0j--add-modules\0j--limit-modules\0j--module-path\0"
    "j--upgrade-module-path\0j--patch-module\0j--enable-native-access\0j-p\0"
    "r-jar\0r-m\0r--module\0r--module=*\0v-cp\0v-classpath\0v--class-path\0v--source\0o-server\0o-client\0o-showversion\0"
    "o--show-version\0o-Xdiag\0o-splash:*\0o-XshowSettings*\0s-Xshare:*\0s-XX:Shared*\0"
    "s-XX:ArchiveClassesAtExit*\0s-XX:-UseSharedSpaces\0s-XX:DumpLoadedClassList*\0s-XX:+AutoCreateSharedArchive\0"
    "s-XX:AOT*\0";

// The class of `word` in kJavaWords; 0 for a VM option.
char javaWordClass(const Text& word) {
    for (const char* entry = kJavaWords; *entry; entry += strlen(entry) + 1) {
        const char* name = entry + 1;
        size_t i = 0;
        while (name[i] && name[i] != '*' && name[i] == word.c_str()[i]) ++i;
        if (name[i] == '*' || (!name[i] && i == word.size())) return entry[0];
    }
    return 0;
}

// Appends the options of the argument file `path` (blank-separated words,
// quotes as in the variable, '#' where a word would begin comments out the
// rest of its line). False after the message `java` gives.
bool readArgumentFile(const Text& path, List<Text>& words) {
    platform::File file = platform::File::open(path.c_str(), platform::File::Mode::ReadShared);
    Text bytes;
    bool tooLarge = false;
    if (platform::readSmallFile(file, kMostArgumentFileBytes, bytes, tooLarge) && splitOptionWords(bytes, true, words))
        return true;
    Text message = "Cannot read the argument file ";
    message += path;
    message += " named in environment variable JDK_JAVA_OPTIONS";
    platform::showMessage(nullptr, message.c_str(), "Error", platform::kMbOk);
    return false;
}

}  // namespace

bool isJavaCommandOption(const Text& option) { return javaWordClass(option) == 'o'; }

bool isSharingOption(const Text& option) { return javaWordClass(option) == 's'; }

bool splitOptionWords(const Text& value, bool comments, List<Text>& words) {
    size_t at = 0;
    while (at < value.size()) {
        if (isSpace(value[at])) {
            ++at;
            continue;
        }
        if (comments && value[at] == '#') {
            while (at < value.size() && value[at] != '\n') ++at;
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
        words.push_back(static_cast<Text&&>(word));
    }
    return true;
}

VmWordProblem vmOptionsOfWords(const List<Text>& words, List<Text>& options, Text& word) {
    for (size_t i = 0; i < words.size(); ++i) {
        word = words[i];
        const char kind = javaWordClass(word);
        if (kind == 'r') return VmWordProblem::Refused;
        if (word.c_str()[0] != '-') return VmWordProblem::MainClass;
        if (kind == 'v') {
            ++i;
        } else if (kind != 'o') {
            if (kind == 'j' && i + 1 < words.size()) {
                if (word == "-p") word = "--module-path";
                word += '=';
                word += words[++i];
            }
            options.push_back(word);
        }
    }
    return VmWordProblem::None;
}

bool splitJdkJavaOptions(const Text& value, List<Text>& options) {
    List<Text> words;
    Text word;
    return splitOptionWords(value, false, words) && vmOptionsOfWords(words, options, word) == VmWordProblem::None;
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
    List<Text> words, expanded;
    if (!splitOptionWords(value, false, words)) {
        platform::showMessage(nullptr, "Unmatched quote in environment variable JDK_JAVA_OPTIONS", "Error",
                              platform::kMbOk);
        return false;
    }
    // "@file" stands for the options in the file (relative to the current
    // folder), "@@x" for the word "@x"; --disable-@files ends that.
    bool argumentFiles = true;
    for (const Text& word : words) {
        if (word == "--disable-@files") argumentFiles = false;
        else if (!argumentFiles || word.size() < 2 || word[0] != '@') expanded.push_back(word);
        else if (word[1] == '@') expanded.push_back(Text(word.c_str() + 1));
        else if (!readArgumentFile(Text(word.c_str() + 1), expanded)) return false;
    }
    Text word;
    const VmWordProblem problem = vmOptionsOfWords(expanded, options, word);
    if (problem == VmWordProblem::None) return true;
    Text message = problem == VmWordProblem::Refused ? "Option " : "The main class ";
    message += word;
    message += " is not allowed in environment variable JDK_JAVA_OPTIONS";
    platform::showMessage(nullptr, message.c_str(), "Error", platform::kMbOk);
    return false;
}
