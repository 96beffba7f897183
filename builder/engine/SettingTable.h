#pragma once
// Every setting of ExtendedSettings once: its record tag in the project
// file, its keyword in the parameter block, its caskit option and help.
// The project-file extension, the block writer, "caskit new/set/show" and
// "caskit --help" are all driven by this one table, so they cannot drift
// apart.

#include <cstdint>
#include <string>
#include <vector>

#include "builder/engine/ExtendedSettings.h"

enum class SettingKind {
    Text,    // one line of text; record: the bytes
    Switch,  // on/off; record: one byte 0 or 1
    Number,  // record: unsigned 32-bit
    Choice,  // one of `choices`, stored by index; record: unsigned 32-bit
    List     // texts in order; record: count, then length + bytes each
};

struct SettingInfo {
    const char* name;     // the model's name, for messages ("jvmOptions")
    std::uint32_t tag;    // record tag in the project file's extension
    SettingKind kind;
    // The caskit option without "--" (also the label of "caskit show");
    // null for a setting set by other means.
    const char* option;
    const char* label;    // what "caskit show" prints it as
    // The parameter-block keyword; null for a setting only the compile uses.
    const char* keyword;
    const char* valueHelp;  // "TEXT", "VERSION", "on|off" (help text)
    const char* help;       // what it does (help text, one line; "caskit --help" wraps it)
    const char* const* choices;  // Choice: names by index, null-terminated
    // Exactly one of these, by kind.
    std::string ExtendedSettings::*text;
    bool ExtendedSettings::*flag;
    std::uint32_t ExtendedSettings::*number;
    std::vector<std::string> ExtendedSettings::*list;
    // Number: the largest value a caskit option takes (1 up to it, or
    // "off" for 0); 0 when no option sets it.
    std::uint32_t numberMax = 0;
};

// In ascending tag order.
const std::vector<SettingInfo>& settingTable();

// The entry whose option is `option`, or null.
const SettingInfo* settingByOption(const std::string& option);

// Whether the setting holds its default value in `settings`.
bool isDefault(const SettingInfo& setting, const ExtendedSettings& settings);

// The name of a Choice value; null when the value is outside its choices.
const char* choiceName(const SettingInfo& setting, std::uint32_t value);
