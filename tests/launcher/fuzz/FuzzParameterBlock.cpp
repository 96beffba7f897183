// Fuzzes the readers of untrusted launcher input: the block reader (with
// the tokenizer, %NAME% expansion and the class-path merge it drives), the
// dump of what it produced, and the trailer reader on a real file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "launcher/Environment.h"
#include "launcher/LaunchParameters.h"
#include "launcher/ParameterDump.h"
#include "launcher/ParameterTrailer.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

void fuzzBlock(const Text& text, PropertyStyle style) {
    LaunchParameters p(style);
    p.parseBlock(text);
    // Every entry comes from a line of the text (the merge adds at most
    // one "." and the system entries), so no count can flood the lists.
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n';
    check(p.properties.size() <= lines);
    check(p.arguments.size() <= text.size());
    List<Text> dump = parameterDumpLines(p);
    check(dump.size() == 17 + p.classPath.size() + p.arguments.size() + p.properties.size());
}

void fuzzTokens(Text text) {
    const std::size_t size = text.size();
    std::size_t consumed = 0;
    bool found = true;
    for (;;) {
        Text before = text;
        Text token = nextArgument(text, &found);
        if (!found) break;
        check(text.size() < before.size());  // every token consumes something
        consumed += token.size();
    }
    check(consumed <= size && text.empty());
}

void fuzzClassPath(const Text& text) {
    for (char separator : {';', ':'}) {
        for (ClassPathMode mode : {ClassPathMode::Append, ClassPathMode::Prepend, ClassPathMode::Ignore}) {
            List<Text> classPath = {"a", "."};
            mergeClassPath(classPath, mode, &text, separator);
            check(classPath.size() >= 3 && classPath.size() <= 3 + text.size());
        }
    }
    Text expanded = text;
    expandVariable(expanded);
}

void fuzzTrailer(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/caskit-fuzz-trailer-" + std::to_string(getpid());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);
    Text block = readParameterTrailer(path);
    check(block.size() + 4 <= size || block.empty());
    check(block.find('\0') == Text::npos);
    if (size >= 4) {
        std::uint32_t length = static_cast<std::uint32_t>(data[size - 4]) | (data[size - 3] << 8) |
                               (data[size - 2] << 16) | (static_cast<std::uint32_t>(data[size - 1]) << 24);
        if (length != 0 && length <= size - 4) {
            std::string expected(reinterpret_cast<const char*>(data) + (size - 4 - length), length);
            check(block == Text(expected.substr(0, expected.find('\0'))));
        } else {
            check(block.empty());
        }
    }
    std::remove(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Text text(reinterpret_cast<const char*>(data), size);
    fuzzBlock(text, size % 2 ? PropertyStyle::Option : PropertyStyle::Plain);
    fuzzTokens(text);
    fuzzClassPath(text);
    fuzzTrailer(data, size);
    return 0;
}
