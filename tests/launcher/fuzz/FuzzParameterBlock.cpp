// Fuzzes the block reader (with the tokenizer, %NAME% expansion and the
// class-path merge it drives) and the dump of what it produced.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "launcher/Environment.h"
#include "launcher/LaunchParameters.h"
#include "launcher/ParameterDump.h"

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
    // The block's "environment" lines set variables of this process; left
    // in place they pile up over millions of inputs and slow every later one.
    clearenv();
}

void fuzzTokens(Text text) {
    const std::size_t size = text.size();
    std::size_t consumed = 0;
    bool found = true;
    for (;;) {
        const std::size_t before = text.size();
        Text token = nextArgument(text, &found);
        if (!found) break;
        check(text.size() < before);  // every token consumes something
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Text text(reinterpret_cast<const char*>(data), size);
    fuzzBlock(text, size % 2 ? PropertyStyle::Option : PropertyStyle::Plain);
    fuzzTokens(text);
    fuzzClassPath(text);
    return 0;
}
