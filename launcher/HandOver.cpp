#include "launcher/HandOver.h"

#include "platform/ByteReader.h"

namespace {

constexpr char kMark[] = "CSK1";

void addNumber(Text& out, uint32_t n) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((n >> (8 * i)) & 0xFF);
}

void addText(Text& out, const Text& text) {
    addNumber(out, static_cast<uint32_t>(text.size()));
    out += text;
}

bool readText(ByteReader& reader, Text& text) {
    const uint32_t size = reader.u32();
    const char* bytes = reader.take(size);
    if (!bytes) return false;
    text = Text(bytes, size);
    return text.find('\0') == Text::npos;
}

}  // namespace

Text handOverMessage(const Text& folder, const List<Text>& arguments) {
    Text out = kMark;
    addText(out, folder);
    addNumber(out, static_cast<uint32_t>(arguments.size()));
    for (const Text& argument : arguments) addText(out, argument);
    return out;
}

bool readHandOverMessage(const Text& bytes, Text& folder, List<Text>& arguments) {
    arguments.clear();
    if (bytes.size() > kMostHandOverBytes) return false;
    ByteReader reader(bytes.data(), bytes.size());
    const char* mark = reader.take(4);
    if (!mark || Text(mark, 4) != kMark || !readText(reader, folder)) return false;
    const uint32_t count = reader.u32();
    if (!reader.ok() || count > kMostHandOverArguments) return false;
    for (uint32_t i = 0; i < count; ++i) {
        Text argument;
        if (!readText(reader, argument)) return false;
        arguments.push_back(static_cast<Text&&>(argument));
    }
    return reader.ok() && reader.remaining() == 0;
}
