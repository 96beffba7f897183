#pragma once
// Zip archives made by hand for the jar tests: local headers, data (stored
// or deflated with zlib), the central directory and the end record, laid
// out as the zip format describes them.

#include <zlib.h>

#include <string>
#include <vector>

#include "platform/ByteWriter.h"

namespace caskit_test {

struct ZipEntry {
    std::string name;
    std::string data;
    bool deflated = false;
};

inline std::string rawDeflate(const std::string& data) {
    z_stream z{};
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

inline std::uint32_t zipCrc(const std::string& data) {
    return static_cast<std::uint32_t>(
        crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

inline std::string makeZip(const std::vector<ZipEntry>& entries, const std::string& comment = std::string()) {
    ByteWriter local, directory;
    for (const ZipEntry& e : entries) {
        const std::string stored = e.deflated ? rawDeflate(e.data) : e.data;
        const std::uint32_t offset = static_cast<std::uint32_t>(local.size());
        local.u32(0x04034b50);
        local.u16(20);
        local.u16(0);
        local.u16(e.deflated ? 8 : 0);
        local.u32(0);  // time and date
        local.u32(zipCrc(e.data));
        local.u32(static_cast<std::uint32_t>(stored.size()));
        local.u32(static_cast<std::uint32_t>(e.data.size()));
        local.u16(static_cast<std::uint16_t>(e.name.size()));
        local.u16(0);
        local.bytes(e.name);
        local.bytes(stored);

        directory.u32(0x02014b50);
        directory.u16(20);
        directory.u16(20);
        directory.u16(0);
        directory.u16(e.deflated ? 8 : 0);
        directory.u32(0);
        directory.u32(zipCrc(e.data));
        directory.u32(static_cast<std::uint32_t>(stored.size()));
        directory.u32(static_cast<std::uint32_t>(e.data.size()));
        directory.u16(static_cast<std::uint16_t>(e.name.size()));
        directory.zeros(2 + 2 + 2 + 2 + 4);  // extra, comment, disk, attributes
        directory.u32(offset);
        directory.bytes(e.name);
    }
    std::string zip = local.data() + directory.data();
    ByteWriter end;
    end.u32(0x06054b50);
    end.u16(0);
    end.u16(0);
    end.u16(static_cast<std::uint16_t>(entries.size()));
    end.u16(static_cast<std::uint16_t>(entries.size()));
    end.u32(static_cast<std::uint32_t>(directory.size()));
    end.u32(static_cast<std::uint32_t>(local.size()));
    end.u16(static_cast<std::uint16_t>(comment.size()));
    end.bytes(comment);
    return zip + end.data();
}

// A jar whose manifest names `mainClass`, with one class file beside it.
inline std::string makeJar(const std::string& mainClass, bool deflated = true) {
    return makeZip({{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0\r\nMain-Class: " + mainClass + "\r\n\r\n", deflated},
                    {"app/Main.class", std::string(64, '\xCA'), deflated}});
}

}  // namespace caskit_test
