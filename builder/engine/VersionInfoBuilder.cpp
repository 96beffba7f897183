// Lays out VS_VERSION_INFO byte for byte. Every text is converted from the
// project code page to UTF-16 (so that 0x99 in code page 1252 is U+2122,
// not a control character); every structure starts on a 4-byte boundary
// of the resource.
#include "builder/engine/VersionInfoBuilder.h"

#include "builder/engine/CodePage.h"
#include "builder/engine/Globals.h"
#include "platform/ByteWriter.h"
#include "builder/engine/ResourceTransaction.h"

namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedStructVersion = 0x00010000;
constexpr std::uint32_t kFlagsMask = 0x3F;
constexpr std::uint32_t kOsWindows32 = 4;
constexpr std::uint32_t kFileTypeApp = 1;
constexpr std::uint16_t kFixedInfoSize = 52;

// Text with its terminating zero unit.
void wideText(ByteWriter& out, const std::u16string& text) {
    for (char16_t unit : text) out.u16(unit);
    out.u16(0);
}

// length, value length, type, key; returns where the length field is.
std::size_t header(ByteWriter& out, std::uint16_t valueLength, std::uint16_t type, const std::string& key,
                   unsigned codePage) {
    std::size_t start = out.size();
    out.u16(0);
    out.u16(valueLength);
    out.u16(type);
    wideText(out, ansiToUtf16(key, codePage));
    return start;
}

// Every length field is 16 bits: texts too long for it must not wrap
// around into a corrupt resource.
void patchLength(ByteWriter& out, std::size_t start) {
    std::size_t length = out.size() - start;
    if (length > 0xFFFF) throw XException("version information too large");
    out.patchU16(start, static_cast<std::uint16_t>(length));
}

void stringEntry(ByteWriter& out, const std::string& key, const std::string& value, unsigned codePage) {
    const std::u16string wide = ansiToUtf16(value, codePage);
    // A value too long for the field also outgrows its structure's length,
    // which patchLength refuses.
    std::uint16_t valueLength = wide.empty() ? 0 : static_cast<std::uint16_t>(wide.size() + 1);
    std::size_t start = header(out, valueLength, 1, key, codePage);
    if (!wide.empty()) {
        out.align4();
        wideText(out, wide);
    }
    patchLength(out, start);
    out.align4();  // padding after the structure, not counted in its length
}

void twoParts(ByteWriter& out, const std::uint16_t (&parts)[4]) {
    out.u32((static_cast<std::uint32_t>(parts[0]) << 16) | parts[1]);
    out.u32((static_cast<std::uint32_t>(parts[2]) << 16) | parts[3]);
}

void varFileInfo(ByteWriter& out, unsigned codePage) {
    std::size_t start = header(out, 0, 1, "VarFileInfo", codePage);
    out.align4();
    std::size_t var = header(out, 4, 0, "Translation", codePage);
    out.align4();
    out.u16(0x0409);  // U.S. English
    out.u16(0x04B0);  // Unicode code page
    patchLength(out, var);
    patchLength(out, start);
}

}  // namespace

void VersionInfoBuilder::setFileVersion(unsigned a, unsigned b, unsigned c, unsigned d) {
    fileVersion_[0] = static_cast<std::uint16_t>(a);
    fileVersion_[1] = static_cast<std::uint16_t>(b);
    fileVersion_[2] = static_cast<std::uint16_t>(c);
    fileVersion_[3] = static_cast<std::uint16_t>(d);
}

void VersionInfoBuilder::setProductVersion(unsigned a, unsigned b, unsigned c, unsigned d) {
    productVersion_[0] = static_cast<std::uint16_t>(a);
    productVersion_[1] = static_cast<std::uint16_t>(b);
    productVersion_[2] = static_cast<std::uint16_t>(c);
    productVersion_[3] = static_cast<std::uint16_t>(d);
}

std::string VersionInfoBuilder::layout() const {
    ByteWriter out;
    std::size_t root = header(out, kFixedInfoSize, 0, "VS_VERSION_INFO", codePage_);
    out.align4();
    out.u32(kFixedSignature);
    out.u32(kFixedStructVersion);
    twoParts(out, fileVersion_);
    twoParts(out, productVersion_);
    out.u32(kFlagsMask);
    out.u32(0);  // flags
    out.u32(kOsWindows32);
    out.u32(kFileTypeApp);
    out.u32(0);  // subtype
    out.u32(0);  // date, high
    out.u32(0);  // date, low

    // StringFileInfo carries type 0, unlike the structures inside it.
    std::size_t fileInfo = header(out, 0, 0, "StringFileInfo", codePage_);
    std::size_t table = header(out, 0, 1, "040904B0", codePage_);
    for (const auto& pair : strings_) stringEntry(out, pair.first, pair.second, codePage_);
    patchLength(out, table);
    patchLength(out, fileInfo);

    varFileInfo(out, codePage_);
    patchLength(out, root);
    return out.take();
}

bool VersionInfoBuilder::write(std::string* error) const {
    if (target_.empty()) return true;
    std::string resource = layout();
    ResourceTransaction update;
    if (!update.begin(target_)) throw XException("exe not found");
    // A failed update leaves the transaction open; the destructor discards it.
    if (update.update(platform::kRtVersion, 1, 0, resource.data(), resource.size()) && update.commit()) return true;
    if (error) *error = update.errorText();
    return false;
}
