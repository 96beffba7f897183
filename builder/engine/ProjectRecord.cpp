// Writer and reader of the project file's record. The reader never trusts
// a length or count: each is checked against the bytes that remain before
// anything is allocated or read.
#include "builder/engine/ProjectRecord.h"

#include "builder/engine/ProjectExtension.h"

#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

namespace {

void putString(ByteWriter& out, const std::string& text) {
    out.u32(static_cast<std::uint32_t>(text.size()));
    out.bytes(text);
}

void putList(ByteWriter& out, const std::vector<std::string>& entries) {
    out.u32(static_cast<std::uint32_t>(entries.size()));
    for (const std::string& entry : entries) putString(out, entry);
}

void putBool(ByteWriter& out, bool v) { out.u8(v ? 1 : 0); }

void putParts(ByteWriter& out, const std::int16_t (&parts)[4]) {
    for (std::int16_t part : parts) out.i16(part);
}

// A stored string: the text up to its first zero byte. A length beyond the
// remaining bytes fails the reader without allocating.
std::string getString(ByteReader& in) {
    std::uint32_t length = in.u32();
    if (length == 0) return std::string();
    const char* bytes = in.take(length);
    std::string text = bytes ? std::string(bytes, length) : std::string();
    std::size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return text;
}

std::vector<std::string> getList(ByteReader& in) {
    std::int32_t count = in.i32();
    std::vector<std::string> entries;
    if (count <= 0) return entries;
    // Every entry takes at least its 4-byte length: a count that cannot fit
    // is damage, found before the loop runs.
    if (static_cast<std::uint32_t>(count) > in.remaining() / 4) {
        in.skip(in.remaining() + 1);
        return entries;
    }
    for (std::int32_t i = 0; i < count && in.ok(); ++i) {
        // Empty entries are skipped, also one whose text ends at once
        // with a zero byte: no empty entry survives a save and load.
        std::string text = getString(in);
        if (!text.empty()) entries.push_back(std::move(text));
    }
    return entries;
}

bool getBool(ByteReader& in) { return in.u8() != 0; }

void getParts(ByteReader& in, std::int16_t (&parts)[4]) {
    for (std::int16_t& part : parts) part = in.i16();
}

}  // namespace

std::string encodeProjectRecord(const ProjectRecord& r) {
    ByteWriter out;
    out.i32(r.reserved);
    out.i32(r.projectVersion);
    putString(out, r.exeName);
    putString(out, r.exeFolder);
    putBool(out, r.userDefinedVm);
    putString(out, r.vmLibraryPath);
    putString(out, r.mainClass);
    putString(out, r.arguments);
    putList(out, r.classPath);
    putList(out, r.properties);
    putList(out, r.environment);
    out.i32(r.classPathMode);
    out.i32(r.verifyOption);
    putBool(out, r.asyncGcEnabled);
    putBool(out, r.classGcEnabled);
    putBool(out, r.jitEnabled);
    putBool(out, r.consoleWindow);
    putBool(out, r.routeConsole);
    out.u32(r.minHeap);
    out.u32(r.maxHeap);
    out.u32(r.maxNativeStack);
    out.u32(r.maxJavaStack);
    putBool(out, r.versionInfoEnabled);
    putParts(out, r.fileVersion);
    putParts(out, r.productVersion);
    putString(out, r.companyName);
    putString(out, r.legalCopyright);
    putString(out, r.legalTrademarks);
    putString(out, r.comments);
    putString(out, r.largeIconPath);
    putString(out, r.smallIconPath);
    out.bytes(encodeProjectExtension(r.extended));
    return out.take();
}

std::optional<ProjectRecord> decodeProjectRecord(const std::string& bytes) {
    ByteReader in(bytes.data(), bytes.size());
    ProjectRecord r;
    r.reserved = in.i32();
    r.projectVersion = in.i32();
    r.exeName = getString(in);
    r.exeFolder = getString(in);
    r.userDefinedVm = getBool(in);
    r.vmLibraryPath = getString(in);
    r.mainClass = getString(in);
    r.arguments = getString(in);
    r.classPath = getList(in);
    r.properties = getList(in);
    r.environment = getList(in);
    r.classPathMode = in.i32();
    r.verifyOption = in.i32();
    r.asyncGcEnabled = getBool(in);
    r.classGcEnabled = getBool(in);
    r.jitEnabled = getBool(in);
    r.consoleWindow = getBool(in);
    r.routeConsole = getBool(in);
    r.minHeap = in.u32();
    r.maxHeap = in.u32();
    r.maxNativeStack = in.u32();
    r.maxJavaStack = in.u32();
    r.versionInfoEnabled = getBool(in);
    getParts(in, r.fileVersion);
    getParts(in, r.productVersion);
    r.companyName = getString(in);
    r.legalCopyright = getString(in);
    r.legalTrademarks = getString(in);
    r.comments = getString(in);
    r.largeIconPath = getString(in);
    r.smallIconPath = getString(in);
    if (!in.ok()) return std::nullopt;
    if (!decodeProjectExtension(reinterpret_cast<const char*>(in.current()), in.remaining(), r.extended))
        return std::nullopt;
    return r;
}
