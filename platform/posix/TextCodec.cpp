// Code pages through iconv: a Windows code page number names the iconv
// charset "CP<number>" (65001 is "UTF-8"); UTF-16 is handled as UTF-16LE
// bytes.
#include "platform/TextCodec.h"

#include <errno.h>
#include <iconv.h>

namespace platform {

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr std::size_t kChunk = 4096;

std::string charsetName(unsigned codePage) {
    if (codePage == kUtf8CodePage) return "UTF-8";
    return "CP" + std::to_string(codePage);
}

// One conversion descriptor, closed on every way out.
class Converter {
public:
    Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of [in, in + inLeft) as it can into `out` (appending),
    // advancing `in`. Returns 0 when all is done, else the errno that
    // stopped it (EILSEQ, EINVAL).
    int run(const char*& in, std::size_t& inLeft, std::string& out) {
        for (;;) {
            char buffer[kChunk];
            char* next = buffer;
            std::size_t room = sizeof buffer;
            char* source = const_cast<char*>(in);
            std::size_t result = iconv(cd_, inLeft ? &source : nullptr, &inLeft, &next, &room);
            int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            in = source;
            out.append(buffer, static_cast<std::size_t>(next - buffer));
            if (error == E2BIG) continue;
            if (error != 0 || inLeft == 0) {
                if (error == 0) {
                    // The end of the input: let the converter close its state.
                    next = buffer;
                    room = sizeof buffer;
                    iconv(cd_, nullptr, nullptr, &next, &room);
                    out.append(buffer, static_cast<std::size_t>(next - buffer));
                }
                return error;
            }
        }
    }

    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t cd_;
};

std::u16string fromLittleEndian(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return text;
}

std::string toLittleEndian(const std::u16string& text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

}  // namespace

unsigned systemCodePage() { return kUtf8CodePage; }

unsigned defaultAnsiCodePage() { return 1252; }

std::optional<std::u16string> decodeText(const std::string& bytes, unsigned codePage, bool* invalid) {
    if (invalid) *invalid = false;
    Converter converter("UTF-16LE", charsetName(codePage));
    if (!converter.valid()) return std::nullopt;
    std::u16string text;
    const char* in = bytes.data();
    std::size_t left = bytes.size();
    for (;;) {
        std::string wide;
        int error = converter.run(in, left, wide);
        text += fromLittleEndian(wide);
        if (error == 0) return text;
        // A byte that starts no character, or a character cut off at the end.
        text += kReplacement;
        if (invalid) *invalid = true;
        if (error != EILSEQ || left == 0) return text;
        ++in;
        --left;
        converter.reset();
        if (left == 0) return text;
    }
}

std::optional<std::string> encodeText(const std::u16string& text, unsigned codePage, std::size_t* failedAt) {
    Converter converter(charsetName(codePage), "UTF-16LE");
    if (!converter.valid()) {
        if (failedAt) *failedAt = text.size();
        return std::nullopt;
    }
    const std::string wide = toLittleEndian(text);
    const char* in = wide.data();
    std::size_t left = wide.size();
    std::string out;
    if (converter.run(in, left, out) != 0) {
        if (failedAt) *failedAt = static_cast<std::size_t>(in - wide.data()) / 2;
        return std::nullopt;
    }
    return out;
}

}  // namespace platform
