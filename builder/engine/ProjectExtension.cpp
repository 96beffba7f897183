// Writer and reader of the project file's extension. Every length and count
// is checked against the bytes that remain before anything is allocated.
#include "builder/engine/ProjectExtension.h"

#include <cstring>

#include "builder/engine/SettingTable.h"
#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

namespace {

constexpr char kMagic[4] = {'C', 'S', 'K', 'X'};

std::string valueBytes(const SettingInfo& s, const ExtendedSettings& settings) {
    ByteWriter out;
    switch (s.kind) {
    case SettingKind::Text: out.bytes(settings.*s.text); break;
    case SettingKind::Switch: out.u8(settings.*s.flag ? 1 : 0); break;
    case SettingKind::Number:
    case SettingKind::Choice: out.u32(settings.*s.number); break;
    case SettingKind::List:
        out.u32(static_cast<std::uint32_t>((settings.*s.list).size()));
        for (const std::string& entry : settings.*s.list) {
            out.u32(static_cast<std::uint32_t>(entry.size()));
            out.bytes(entry);
        }
        break;
    }
    return out.take();
}

bool isText(const char* data, std::size_t size) { return std::memchr(data, 0, size) == nullptr; }

// Sets the setting from its record's bytes; false when they do not fit it.
bool readValue(const SettingInfo& s, const char* data, std::size_t size, ExtendedSettings& settings) {
    ByteReader in(data, size);
    switch (s.kind) {
    case SettingKind::Text:
        if (!isText(data, size)) return false;
        settings.*s.text = std::string(data, size);
        return true;
    case SettingKind::Switch: {
        const std::uint8_t v = in.u8();
        if (v > 1) return false;
        settings.*s.flag = v == 1;
        break;
    }
    case SettingKind::Number:
    case SettingKind::Choice:
        settings.*s.number = in.u32();
        if (s.kind == SettingKind::Choice && !choiceName(s, settings.*s.number)) return false;
        break;
    case SettingKind::List: {
        const std::uint32_t count = in.u32();
        // Every entry takes at least its length and one byte.
        if (count > in.remaining() / 5) return false;
        std::vector<std::string> entries;
        for (std::uint32_t i = 0; i < count && in.ok(); ++i) {
            const std::uint32_t length = in.u32();
            const char* text = in.take(length);
            if (!text || length == 0 || !isText(text, length)) return false;
            entries.emplace_back(text, length);
        }
        settings.*s.list = std::move(entries);
        break;
    }
    }
    return in.ok() && in.remaining() == 0;
}

const SettingInfo* settingByTag(std::uint32_t tag) {
    for (const SettingInfo& s : settingTable())
        if (s.tag == tag) return &s;
    return nullptr;
}

}  // namespace

std::string encodeProjectExtension(const ExtendedSettings& settings) {
    // Known and kept records merged in ascending tag order.
    std::map<std::uint32_t, std::string> records = settings.unknownRecords;
    for (const SettingInfo& s : settingTable())
        if (!isDefault(s, settings)) records[s.tag] = valueBytes(s, settings);
    if (records.empty()) return std::string();
    ByteWriter body;
    for (const auto& record : records) {
        body.u32(record.first);
        body.u32(static_cast<std::uint32_t>(record.second.size()));
        body.bytes(record.second);
    }
    ByteWriter out;
    out.bytes(kMagic, sizeof kMagic);
    out.u32(static_cast<std::uint32_t>(body.size()));
    out.bytes(body.data());
    return out.take();
}

bool decodeProjectExtension(const char* data, std::size_t size, ExtendedSettings& settings) {
    settings = ExtendedSettings();
    if (size == 0) return true;
    ByteReader in(data, size);
    const char* magic = in.take(sizeof kMagic);
    if (!magic || std::memcmp(magic, kMagic, sizeof kMagic) != 0) return false;
    // The records fill exactly the length given: a file cut anywhere fails.
    const std::uint32_t total = in.u32();
    if (!in.ok() || total != in.remaining()) return false;
    bool first = true;
    std::uint32_t previous = 0;
    while (in.remaining() > 0) {
        const std::uint32_t tag = in.u32();
        const std::uint32_t length = in.u32();
        const char* value = in.take(length);
        if (!value || (!first && tag <= previous)) return false;
        first = false;
        previous = tag;
        if (const SettingInfo* s = settingByTag(tag)) {
            if (!readValue(*s, value, length, settings)) return false;
        } else {
            settings.unknownRecords[tag] = std::string(value, length);
        }
    }
    return in.ok();
}
