#include "cli/bundle/Archives.h"

#include <zlib.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>

namespace bundle {

namespace {

void put16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

bool readAll(const std::string& path, std::string& bytes, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// The bytes an entry holds: a file's contents or a link's text.
bool entryBytes(const std::string& root, const TreeEntry& e, std::string& bytes, std::string& error) {
    bytes.clear();
    if (e.kind == TreeEntry::Kind::Link) bytes = e.link;
    if (e.kind != TreeEntry::Kind::File) return true;
    return readAll(root + "/" + e.path, bytes, error);
}

// zlib's deflate of `in`: raw (zip) or with the gzip wrapper, whose own
// time stays 0.
bool deflateBytes(const std::string& in, bool gzip, std::string& out) {
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, gzip ? 15 + 16 : -15, 9, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    out.resize(deflateBound(&z, in.size()) + 64);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return result == Z_STREAM_END;
}

bool writeFile(const std::string& path, const std::string& bytes, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) error = "cannot write " + path;
    return static_cast<bool>(out);
}

// MS-DOS date and time (two-second steps, 1980 to 2107), in UTC.
void dosTime(std::int64_t time, unsigned& date, unsigned& clock) {
    const std::int64_t kFirst = 315532800, kLast = 4354819198;  // 1980-01-01, 2107-12-31
    const std::time_t t = static_cast<std::time_t>(time < kFirst ? kFirst : time > kLast ? kLast : time);
    const std::tm tm = utcFields(t);
    date = static_cast<unsigned>(((tm.tm_year - 80) << 9) | ((tm.tm_mon + 1) << 5) | tm.tm_mday);
    clock = static_cast<unsigned>((tm.tm_hour << 11) | (tm.tm_min << 5) | (tm.tm_sec / 2));
}

// The file type bits of a Unix mode.
unsigned typeBits(const TreeEntry& e) {
    return e.kind == TreeEntry::Kind::Folder ? 040000 : e.kind == TreeEntry::Kind::Link ? 0120000 : 0100000;
}

void octal(char* field, std::size_t width, std::uint64_t value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + (value & 7)));
        value >>= 3;
    } while (value);
    digits.insert(0, width - 1 - digits.size(), '0');
    digits.copy(field, width - 1);
}

// A pax record "<length> key=value\n", the length counting itself.
std::string paxRecord(const std::string& key, const std::string& value) {
    const std::size_t body = key.size() + value.size() + 3;
    std::size_t length = body + 1;
    while (std::to_string(length).size() + body != length) ++length;
    return std::to_string(length) + " " + key + "=" + value + "\n";
}

std::string tarHeader(const std::string& name, char type, unsigned mode, std::uint64_t size, std::int64_t time,
                      const std::string& link) {
    char h[512] = {};
    name.copy(h, 100);
    octal(h + 100, 8, mode);
    octal(h + 108, 8, 0);
    octal(h + 116, 8, 0);
    octal(h + 124, 12, size);
    octal(h + 136, 12, static_cast<std::uint64_t>(time < 0 ? 0 : time));
    h[156] = type;
    link.copy(h + 157, 100);
    std::string("ustar\0" "00", 8).copy(h + 257, 8);
    std::fill(h + 148, h + 156, ' ');
    unsigned sum = 0;
    for (unsigned char c : h) sum += c;
    octal(h + 148, 7, sum);
    return std::string(h, 512);
}

void padTo512(std::string& out) { out.append((512 - out.size() % 512) % 512, '\0'); }

}  // namespace

unsigned archiveMode(const TreeEntry& e) {
    if (e.kind == TreeEntry::Kind::Link) return 0777;
    return e.kind == TreeEntry::Kind::Folder || (e.mode & 0111) ? 0755 : 0644;
}

std::tm utcFields(std::int64_t time) {
    std::int64_t days = time / 86400, seconds = time % 86400;
    if (seconds < 0) {
        seconds += 86400;
        --days;
    }
    std::tm tm{};
    tm.tm_hour = static_cast<int>(seconds / 3600);
    tm.tm_min = static_cast<int>(seconds / 60 % 60);
    tm.tm_sec = static_cast<int>(seconds % 60);
    tm.tm_wday = static_cast<int>(((days + 4) % 7 + 7) % 7);  // 1970-01-01 was a Thursday
    // Days to a Gregorian date, counted in 400-year eras from 0000-03-01.
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    tm.tm_mday = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    tm.tm_mon = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 2 : monthFromMarch - 10);
    tm.tm_year = static_cast<int>(yearOfEra + era * 400 + (tm.tm_mon < 2 ? 1 : 0) - 1900);
    return tm;
}

std::int64_t archiveTime(std::int64_t fallback) {
    const char* value = std::getenv("SOURCE_DATE_EPOCH");
    if (!value || !*value) return fallback;
    char* end = nullptr;
    const long long t = std::strtoll(value, &end, 10);
    return *end == '\0' && t >= 0 ? t : fallback;
}

bool writeZip(const std::string& root, const std::vector<TreeEntry>& entries, std::int64_t time,
              const std::string& path, std::string& error) {
    unsigned date = 0, clock = 0;
    dosTime(time, date, clock);
    std::string out, directory;
    for (const TreeEntry& e : entries) {
        std::string bytes, packed;
        if (!entryBytes(root, e, bytes, error)) return false;
        const std::string name = e.kind == TreeEntry::Kind::Folder ? e.path + "/" : e.path;
        const bool deflated = e.kind == TreeEntry::Kind::File && !bytes.empty();
        if (deflated && !deflateBytes(bytes, false, packed)) {
            error = "cannot compress " + e.path;
            return false;
        }
        if (!deflated) packed = bytes;
        if (bytes.size() >= 0xffffffffu || out.size() + packed.size() + 4096 >= 0xffffffffu) {
            error = "the zip would reach 4 GiB; write a tar.gz instead";
            return false;
        }
        const std::uint32_t crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
        std::string common;
        put16(common, 20);                      // version needed
        put16(common, 0x0800);                  // names are UTF-8
        put16(common, deflated ? 8 : 0);
        put16(common, clock);
        put16(common, date);
        put32(common, crc);
        put32(common, static_cast<std::uint32_t>(packed.size()));
        put32(common, static_cast<std::uint32_t>(bytes.size()));
        put16(common, static_cast<unsigned>(name.size()));
        put16(common, 0);                       // no extra field
        const std::uint32_t offset = static_cast<std::uint32_t>(out.size());
        put32(out, 0x04034b50);
        out += common + name + packed;
        put32(directory, 0x02014b50);
        put16(directory, (3u << 8) | 20);       // made on Unix
        directory += common;
        put16(directory, 0);                    // no comment
        put16(directory, 0);                    // disk
        put16(directory, 0);                    // internal attributes
        put32(directory, ((typeBits(e) | archiveMode(e)) << 16) | (e.kind == TreeEntry::Kind::Folder ? 0x10 : 0));
        put32(directory, offset);
        directory += name;
    }
    if (entries.size() > 0xffff) {
        error = "more than 65535 files for a zip; write a tar.gz instead";
        return false;
    }
    const std::uint32_t start = static_cast<std::uint32_t>(out.size());
    out += directory;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<unsigned>(entries.size()));
    put16(out, static_cast<unsigned>(entries.size()));
    put32(out, static_cast<std::uint32_t>(directory.size()));
    put32(out, start);
    put16(out, 0);
    return writeFile(path, out, error);
}

bool writeTarGz(const std::string& root, const std::vector<TreeEntry>& entries, std::int64_t time,
                const std::string& path, std::string& error) {
    std::string tar;
    for (const TreeEntry& e : entries) {
        std::string bytes;
        if (!entryBytes(root, e, bytes, error)) return false;
        const std::string name = e.kind == TreeEntry::Kind::Folder ? e.path + "/" : e.path;
        std::string pax;
        if (name.size() > 99) pax += paxRecord("path", name);
        if (e.link.size() > 99) pax += paxRecord("linkpath", e.link);
        if (!pax.empty()) {
            tar += tarHeader("PaxHeaders/" + name.substr(0, 80), 'x', 0644, pax.size(), time, std::string());
            tar += pax;
            padTo512(tar);
        }
        const char type = e.kind == TreeEntry::Kind::Folder ? '5' : e.kind == TreeEntry::Kind::Link ? '2' : '0';
        const std::uint64_t size = e.kind == TreeEntry::Kind::File ? bytes.size() : 0;
        tar += tarHeader(name.substr(0, 100), type, archiveMode(e), size, time, e.link.substr(0, 100));
        if (e.kind == TreeEntry::Kind::File) {
            tar += bytes;
            padTo512(tar);
        }
    }
    tar.append(1024, '\0');
    std::string packed;
    if (!deflateBytes(tar, true, packed)) {
        error = "cannot compress " + path;
        return false;
    }
    return writeFile(path, packed, error);
}

}  // namespace bundle
