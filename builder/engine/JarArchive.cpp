// Reading the directory of a zip archive and inflating its manifest. The
// search for the end record follows Java's zip reader: the last end record
// within the final 64 KB + 22 bytes whose comment reaches the end of the
// data, or, failing that, whose directory and first local header are
// where it says, so that what Java would open is what the compile reads.
#include "builder/engine/JarArchive.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>

#include "platform/ByteReader.h"

namespace {

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kDirectorySignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kDirectoryEntrySize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kZip64LocatorSize = 20;
constexpr std::size_t kMaxCommentSize = 0xFFFF;
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflated = 8;
constexpr std::uint16_t kFlagEncrypted = 1;
constexpr const char* kManifestName = "META-INF/MANIFEST.MF";

struct EndRecord {
    std::uint64_t offset = 0;
    std::uint16_t disk = 0;
    std::uint16_t directoryDisk = 0;
    std::uint16_t entries = 0;
    std::uint32_t directorySize = 0;
    std::uint32_t directoryOffset = 0;
    std::uint16_t commentSize = 0;
};

EndRecord readEndRecord(const std::string& bytes, std::size_t at) {
    ByteReader in(bytes.data(), bytes.size());
    in.seek(at);
    EndRecord end;
    end.offset = at;
    in.u32();
    end.disk = in.u16();
    end.directoryDisk = in.u16();
    in.u16();  // entries on this disk
    end.entries = in.u16();
    end.directorySize = in.u32();
    end.directoryOffset = in.u32();
    end.commentSize = in.u16();
    return end;
}

std::uint32_t signatureAt(const std::string& bytes, std::uint64_t at) {
    if (at > bytes.size()) return 0;
    ByteReader in(bytes.data(), bytes.size());
    in.seek(static_cast<std::size_t>(at));
    return in.u32();
}

// Where the archive's first byte is in `bytes` (the data in front of it),
// or -1 when the end record's directory does not fit before it.
std::int64_t archiveStart(const EndRecord& end) {
    if (end.directorySize > end.offset) return -1;
    const std::uint64_t directoryStart = end.offset - end.directorySize;
    if (end.directoryOffset > directoryStart) return -1;
    return static_cast<std::int64_t>(directoryStart - end.directoryOffset);
}

bool findEndRecord(const std::string& bytes, EndRecord& found) {
    if (bytes.size() < kEndSize) return false;
    const std::size_t last = bytes.size() - kEndSize;
    const std::size_t first = last > kMaxCommentSize ? last - kMaxCommentSize : 0;
    for (std::size_t at = last + 1; at-- > first;) {
        if (signatureAt(bytes, at) != kEndSignature) continue;
        EndRecord end = readEndRecord(bytes, at);
        if (end.offset + kEndSize + end.commentSize != bytes.size()) {
            // Bytes after the comment: taken only when the record's
            // directory and the archive's first local header are in place.
            const std::int64_t start = archiveStart(end);
            if (start < 0 || signatureAt(bytes, end.offset - end.directorySize) != kDirectorySignature ||
                signatureAt(bytes, static_cast<std::uint64_t>(start)) != kLocalSignature)
                continue;
        }
        found = end;
        return true;
    }
    return false;
}

bool namesManifest(const char* name, std::size_t size, bool exact) {
    const std::string wanted = kManifestName;
    if (size != wanted.size()) return false;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char a = static_cast<unsigned char>(name[i]), b = static_cast<unsigned char>(wanted[i]);
        if (exact ? a != b : std::toupper(a) != std::toupper(b)) return false;
    }
    return true;
}

// An entry's name for a message: its bytes, with control characters shown
// as "?" (the name comes from the file).
std::string shownName(const char* name, std::size_t size) {
    std::string shown(name, size);
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return shown;
}

struct DirectoryEntry {
    std::uint16_t flags = 0;
    std::uint16_t method = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t size = 0;
    std::uint64_t localHeader = 0;  // offset in `bytes`
};

bool inflateManifest(const char* data, std::uint32_t compressedSize, std::uint32_t size, std::string& out,
                     std::string& error) {
    out.assign(size, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        error = "zlib cannot start inflating";
        return false;
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = compressedSize;
    // One byte more than announced, so that a longer stream is noticed.
    std::string spare(1, '\0');
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = size;
    int result = inflate(&stream, Z_FINISH);
    if (result == Z_BUF_ERROR && stream.avail_out == 0) {
        stream.next_out = reinterpret_cast<Bytef*>(spare.data());
        stream.avail_out = 1;
        result = inflate(&stream, Z_FINISH);
    }
    const bool complete = result == Z_STREAM_END && stream.total_out == size;
    if (!complete) {
        if (result == Z_DATA_ERROR)
            error = std::string("its compressed data is damaged (") + (stream.msg ? stream.msg : "zlib error") + ")";
        else if (result == Z_STREAM_END || stream.total_out > size)
            error = "its size differs from the size the directory gives";
        else
            error = "its compressed data ends early";
    }
    inflateEnd(&stream);
    return complete;
}

bool readManifest(const std::string& bytes, const DirectoryEntry& entry, std::uint64_t directoryStart,
                  std::string& out, std::string& error) {
    const std::string damaged = "the manifest " + std::string(kManifestName) + " cannot be read: ";
    if (entry.flags & kFlagEncrypted) {
        error = damaged + "it is encrypted";
        return false;
    }
    if (entry.size > kMaxJarManifestSize) {
        error = damaged + "it is larger than 16 MB";
        return false;
    }
    ByteReader in(bytes.data(), static_cast<std::size_t>(directoryStart));
    in.seek(static_cast<std::size_t>(entry.localHeader));
    const std::uint32_t signature = in.u32();
    in.skip(22);
    const std::uint16_t nameSize = in.u16();
    const std::uint16_t extraSize = in.u16();
    in.skip(static_cast<std::size_t>(nameSize) + extraSize);
    const char* data = in.take(entry.compressedSize);
    if (!data || signature != kLocalSignature) {
        error = signature != kLocalSignature && in.ok() ? damaged + "its local header is missing"
                                                        : "the archive is cut short: the manifest's data is missing";
        return false;
    }
    std::string problem;
    if (entry.method == kMethodStored) {
        if (entry.compressedSize != entry.size) {
            error = damaged + "its stored size differs from its size";
            return false;
        }
        out.assign(data, entry.compressedSize);
    } else if (entry.method == kMethodDeflated) {
        if (!inflateManifest(data, entry.compressedSize, entry.size, out, problem)) {
            error = damaged + problem;
            return false;
        }
    } else {
        error = damaged + "it uses compression method " + std::to_string(entry.method) +
                " (jars use 0, stored, or 8, deflated)";
        return false;
    }
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(out.data()),
                            static_cast<uInt>(out.size()));
    if (crc != entry.crc) {
        error = damaged + "its check sum does not match its contents";
        return false;
    }
    return true;
}

}  // namespace

bool readJar(const std::string& bytes, JarContents& contents, std::string& error) {
    contents = JarContents();
    EndRecord end;
    if (!findEndRecord(bytes, end)) {
        error = "not a zip archive, or cut short: it has no zip end record";
        return false;
    }
    if (end.offset >= kZip64LocatorSize &&
        signatureAt(bytes, end.offset - kZip64LocatorSize) == kZip64LocatorSignature) {
        error = "a ZIP64 archive (more than 65535 entries or larger than 4 GB), which the compile does not read";
        return false;
    }
    if (end.disk != 0 || end.directoryDisk != 0) {
        error = "a zip archive split over several files";
        return false;
    }
    const std::int64_t start = archiveStart(end);
    if (start < 0) {
        error = "the archive is cut short: its directory would begin before the file does";
        return false;
    }
    contents.endRecordOffset = end.offset;
    contents.bytesAfterEnd = bytes.size() - end.offset - kEndSize;
    contents.entries = end.entries;

    const std::uint64_t directoryStart = end.offset - end.directorySize;
    ByteReader in(bytes.data(), static_cast<std::size_t>(end.offset));
    in.seek(static_cast<std::size_t>(directoryStart));
    DirectoryEntry manifest;
    bool exactName = false;
    for (std::uint32_t i = 0; i < end.entries; ++i) {
        const std::size_t entryOffset = in.offset();
        if (in.u32() != kDirectorySignature || !in.ok()) {
            error = "the archive's directory is damaged: entry " + std::to_string(i + 1) + " of " +
                    std::to_string(end.entries) + " is missing";
            return false;
        }
        in.skip(4);
        DirectoryEntry entry;
        entry.flags = in.u16();
        entry.method = in.u16();
        in.skip(4);
        entry.crc = in.u32();
        entry.compressedSize = in.u32();
        entry.size = in.u32();
        const std::uint16_t nameSize = in.u16();
        const std::uint16_t extraSize = in.u16();
        const std::uint16_t commentSize = in.u16();
        in.skip(8);
        entry.localHeader = static_cast<std::uint64_t>(start) + in.u32();
        const char* name = in.take(nameSize);
        in.skip(static_cast<std::size_t>(extraSize) + commentSize);
        if (!in.ok()) {
            error = "the archive's directory is damaged: entry " + std::to_string(i + 1) + " at offset " +
                    std::to_string(entryOffset) + " runs past its end";
            return false;
        }
        // Every entry's header and data lie before the directory.
        if (entry.localHeader + kLocalHeaderSize + nameSize + entry.compressedSize > directoryStart) {
            error = "the archive is cut short or damaged: the data of " + shownName(name, nameSize) +
                    " would lie past the start of the directory";
            return false;
        }
        // Java takes the exact name, else one that differs only in case.
        if (namesManifest(name, nameSize, true) || (!exactName && namesManifest(name, nameSize, false))) {
            exactName = exactName || namesManifest(name, nameSize, true);
            manifest = entry;
            contents.hasManifest = true;
        }
    }
    if (contents.hasManifest && !readManifest(bytes, manifest, directoryStart, contents.manifest, error)) return false;
    return true;
}
