#pragma once
// Settings of the setting table away from their defaults, for tests that
// must cover every setting, including the ones added later.

#include "builder/engine/SettingTable.h"

// `setting` away from its default in `e`: text with a byte above 127, a
// backslash and a %NAME%, a list of two entries, the last choice.
inline void setAway(const SettingInfo& setting, ExtendedSettings& e) {
    const std::string text = std::string(setting.name) + " \xA9 lib\\%HEAP%";
    switch (setting.kind) {
    case SettingKind::Text: e.*setting.text = text; break;
    case SettingKind::Switch: e.*setting.flag = true; break;
    case SettingKind::Number: e.*setting.number = 1251; break;
    case SettingKind::Choice:
        while (choiceName(setting, e.*setting.number + 1)) ++(e.*setting.number);
        break;
    case SettingKind::List: e.*setting.list = {"--add-opens=java.base/java.lang=ALL-UNNAMED", text}; break;
    }
}

// Every setting of the table away from its default.
inline ExtendedSettings fullSettings() {
    ExtendedSettings e;
    for (const SettingInfo& s : settingTable()) setAway(s, e);
    return e;
}
