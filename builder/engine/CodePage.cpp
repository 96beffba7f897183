#include "builder/engine/CodePage.h"

#include <cstdio>

#include "platform/TextCodec.h"

namespace {

std::string codePageName(unsigned codePage) {
    if (codePage == platform::kUtf8CodePage) return "UTF-8";
    return "code page " + std::to_string(codePage);
}

bool isAnsiCodePage(unsigned codePage) {
    std::string ascii;
    std::u16string units;
    for (int c = 1; c < 0x80; ++c) {
        ascii += static_cast<char>(c);
        units += static_cast<char16_t>(c);
    }
    return platform::decodeText(ascii, codePage) == units && platform::encodeText(units, codePage) == ascii;
}

std::optional<std::string> recode(const std::string& text, unsigned from, unsigned to) {
    if (from == to) return text;
    std::optional<std::u16string> wide = platform::decodeText(text, from);
    if (!wide) return std::nullopt;
    return platform::encodeText(*wide, to);
}

// `"日" (U+65E5)`: the character at `at` as system text and as a code point.
std::string describeCharacter(const std::u16string& text, std::size_t at) {
    std::size_t units = 1;
    char32_t point = text[at];
    if (point >= 0xD800 && point <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 &&
        text[at + 1] <= 0xDFFF) {
        point = 0x10000 + ((point - 0xD800) << 10) + (text[at + 1] - 0xDC00);
        units = 2;
    }
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(point));
    std::optional<std::string> shown = platform::encodeText(text.substr(at, units), platform::systemCodePage());
    return shown ? "\"" + *shown + "\" (" + code + ")" : std::string(code);
}

}  // namespace

unsigned defaultCodePage() { return platform::defaultAnsiCodePage(); }

bool isProjectCodePage(unsigned codePage) { return isAnsiCodePage(codePage); }

std::u16string ansiToUtf16(const std::string& text, unsigned codePage) {
    if (std::optional<std::u16string> wide = platform::decodeText(text, codePage)) return *wide;
    // A code page the system lacks: each byte as the unit of the same value.
    std::u16string units;
    for (char c : text) units += static_cast<char16_t>(static_cast<unsigned char>(c));
    return units;
}

std::string ansiToUtf8(const std::string& text, unsigned codePage) {
    return recode(text, codePage, platform::kUtf8CodePage).value_or(text);
}

std::string ansiToSystem(const std::string& text, unsigned codePage) {
    return recode(text, codePage, platform::systemCodePage()).value_or(text);
}

std::optional<std::string> systemToAnsi(const std::string& text, unsigned codePage, std::string& problem) {
    const unsigned system = platform::systemCodePage();
    if (system == codePage) return text;
    bool invalid = false;
    std::optional<std::u16string> wide = platform::decodeText(text, system, &invalid);
    if (!wide || invalid) {
        problem = "the text is not valid " + codePageName(system);
        return std::nullopt;
    }
    std::size_t at = 0;
    std::optional<std::string> ansi = platform::encodeText(*wide, codePage, &at);
    if (!ansi) {
        problem = at < wide->size() ? describeCharacter(*wide, at) + " has no place in " +
                                          codePageName(codePage)
                                    : "the text cannot be converted to " + codePageName(codePage);
    }
    return ansi;
}
