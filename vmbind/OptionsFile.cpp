#include "vmbind/OptionsFile.h"

#include "launcher/Environment.h"
#include "platform/CodePage.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/OwnModule.h"
#include "platform/Unicode.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// %NAME% as in properties (the span from the first to the last '%'), then
// every %EXEDIR% (any case) replaced by the folder. Each %EXEDIR% is held
// as a NUL (an option holds none) while the line is expanded, so a '%' in
// the folder's own name is never taken for a reference.
Text expanded(const Text& option, const Text& exeDir) {
    static const char kName[] = "%EXEDIR%";
    const size_t nameSize = sizeof kName - 1;
    Text out = option;
    for (size_t at = 0; (at = out.find('%', at)) != Text::npos;) {
        size_t i = 0;
        while (kName[i] && at + i < out.size() && (out[at + i] | 0x20) == (kName[i] | 0x20)) ++i;
        if (kName[i]) ++at;
        else out.replace(at, nameSize, Text(1, '\0'));
    }
    expandVariable(out);
    for (size_t at = 0; (at = out.find('\0', at)) != Text::npos; at += exeDir.size()) out.replace(at, 1, exeDir);
    return out;
}

}  // namespace

bool readOptionsFile(const char* bytes, size_t size, const Text& exeDir, List<Text>& options, size_t& line,
                     const char*& problem) {
    size_t at = size >= 3 && bytes[0] == '\xEF' && bytes[1] == '\xBB' && bytes[2] == '\xBF' ? 3 : 0;
    line = 0;
    while (at < size) {
        ++line;
        size_t end = at;
        while (end < size && bytes[end] != '\n') ++end;
        size_t first = at, last = end;
        at = end + 1;
        if (last > first && bytes[last - 1] == '\r') --last;
        while (first < last && isBlank(bytes[first])) ++first;
        while (last > first && isBlank(bytes[last - 1])) --last;
        if (first == last || bytes[first] == '#') continue;
        const Text utf8(bytes + first, last - first);
        bool illFormed = false;
        utf16FromUtf8(utf8, &illFormed);
        Text option;
        if (illFormed) {
            problem = "not UTF-8 text";
        } else if (utf8[0] != '-') {
            problem = "not a VM option (each line holds one option that begins with \"-\")";
        } else if (utf8.find('\0') != Text::npos || !exactAnsiFromUtf8(utf8, option)) {
            problem = "a character the VM cannot receive (not in the system's code page)";
        } else {
            options.push_back(expanded(option, exeDir));
            continue;
        }
        return false;
    }
    return true;
}

bool loadOptionsFile(const Text& exeDir, List<Text>& options) {
    Text path;
    bool missing = false;
    platform::File file = platform::openOwnCompanion(".options", path, missing);
    if (!file.isOpen() && missing) return true;
    const char* problem = "cannot be read";
    size_t line = 0;
    Text bytes;
    bool tooLarge = false;
    if (platform::readSmallFile(file, kMostOptionsFileBytes, bytes, tooLarge)) {
        if (readOptionsFile(bytes.data(), bytes.size(), exeDir, options, line, problem)) return true;
    } else if (tooLarge) {
        problem = "larger than 64 KB";
    }
    Text message = "The options file " + ansiFromUtf8(path);
    if (line) message += ", line " + decimalText(line);
    message += ": ";
    message += problem;
    platform::showMessage(nullptr, message.c_str(), "Error", platform::kMbOk);
    return false;
}
