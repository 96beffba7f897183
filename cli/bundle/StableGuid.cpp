#include "cli/bundle/StableGuid.h"

#include <cctype>

namespace bundle {

namespace {

std::uint32_t rotate(std::uint32_t v, int n) { return (v << n) | (v >> (32 - n)); }

// The Caskit installer namespace: every UpgradeCode is made in it.
const char kInstallerSpace[] = "6C0B1E52-7A0F-4F4B-9D42-3A6E1C9B5D17";

}  // namespace

std::array<std::uint8_t, 20> sha1(const std::string& bytes) {
    std::uint32_t h[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    std::string m = bytes;
    const std::uint64_t bits = static_cast<std::uint64_t>(bytes.size()) * 8;
    m += '\x80';
    while (m.size() % 64 != 56) m += '\0';
    for (int i = 7; i >= 0; --i) m += static_cast<char>((bits >> (i * 8)) & 0xff);
    for (std::size_t block = 0; block < m.size(); block += 64) {
        std::uint32_t w[80];
        for (int i = 0; i < 16; ++i)
            w[i] = static_cast<std::uint32_t>(static_cast<unsigned char>(m[block + i * 4])) << 24 |
                   static_cast<std::uint32_t>(static_cast<unsigned char>(m[block + i * 4 + 1])) << 16 |
                   static_cast<std::uint32_t>(static_cast<unsigned char>(m[block + i * 4 + 2])) << 8 |
                   static_cast<std::uint32_t>(static_cast<unsigned char>(m[block + i * 4 + 3]));
        for (int i = 16; i < 80; ++i) w[i] = rotate(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
        std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
        for (int i = 0; i < 80; ++i) {
            std::uint32_t f, k;
            if (i < 20) f = (b & c) | (~b & d), k = 0x5A827999;
            else if (i < 40) f = b ^ c ^ d, k = 0x6ED9EBA1;
            else if (i < 60) f = (b & c) | (b & d) | (c & d), k = 0x8F1BBCDC;
            else f = b ^ c ^ d, k = 0xCA62C1D6;
            const std::uint32_t t = rotate(a, 5) + f + e + k + w[i];
            e = d, d = c, c = rotate(b, 30), b = a, a = t;
        }
        h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e;
    }
    std::array<std::uint8_t, 20> digest{};
    for (int i = 0; i < 20; ++i) digest[i] = static_cast<std::uint8_t>(h[i / 4] >> (24 - 8 * (i % 4)));
    return digest;
}

std::optional<std::string> parseGuid(const std::string& text) {
    std::string t = text;
    if (t.size() == 38 && t.front() == '{' && t.back() == '}') t = t.substr(1, 36);
    if (t.size() != 36) return std::nullopt;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? t[i] != '-' : !std::isxdigit(static_cast<unsigned char>(t[i]))) return std::nullopt;
        t[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(t[i])));
    }
    return t;
}

std::string nameGuid(const std::string& space, const std::string& name) {
    std::string input;
    for (char c : space) {
        if (c == '-' || c == '{' || c == '}') continue;
        input += c;
    }
    std::string raw;
    for (std::size_t i = 0; i + 1 < input.size(); i += 2) raw += static_cast<char>(std::stoi(input.substr(i, 2), nullptr, 16));
    std::array<std::uint8_t, 20> d = sha1(raw + name);
    d[6] = static_cast<std::uint8_t>((d[6] & 0x0f) | 0x50);
    d[8] = static_cast<std::uint8_t>((d[8] & 0x3f) | 0x80);
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) out += '-';
        out += hex[d[i] >> 4];
        out += hex[d[i] & 15];
    }
    return out;
}

std::string upgradeCode(const std::string& company, const std::string& product, const std::string& exeName) {
    return nameGuid(kInstallerSpace, company + '\n' + product + '\n' + exeName);
}

}  // namespace bundle
