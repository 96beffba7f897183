#include "builder/engine/SettingTable.h"

#include <iterator>

#include "launcher/BlockKeywords.h"

namespace {

constexpr const char* kWorkingFolders[] = {"executable", "caller", nullptr};

constexpr SettingInfo text(const char* name, std::uint32_t tag, const char* option, const char* keyword,
                           const char* valueHelp, const char* help, std::string ExtendedSettings::*field) {
    return {name, tag, SettingKind::Text, option, option, keyword, valueHelp, help, nullptr,
            field, nullptr, nullptr, nullptr};
}

constexpr SettingInfo flag(const char* name, std::uint32_t tag, const char* option, const char* keyword,
                           const char* help, bool ExtendedSettings::*field) {
    return {name, tag, SettingKind::Switch, option, option, keyword, "on|off", help, nullptr,
            nullptr, field, nullptr, nullptr};
}

constexpr SettingInfo kSettings[] = {
    {"jvmOptions", 1, SettingKind::List, "jvm-option", "jvm-option", blockKeywordText(BlockKeyword::JvmOptions), "TEXT",
     "VM option passed as it is, such as -Xss2m or --add-opens=java.base/java.lang=ALL-UNNAMED (repeatable, kept in order; after the heap sizes and properties, so it wins, and before JDK_JAVA_OPTIONS and the options file; %NAME% is expanded)",
     nullptr, nullptr, nullptr, nullptr, &ExtendedSettings::jvmOptions},
    text("javaMinVersion", 2, "java-min", blockKeywordText(BlockKeyword::JavaMin), "VERSION",
         "lowest Java version the program runs on (1.8, 11, 17.0.2, 21; default: no bound); runtimes below it, and runtimes whose version cannot be read, are passed over and named when none is left",
         &ExtendedSettings::javaMinVersion),
    text("javaMaxVersion", 3, "java-max", blockKeywordText(BlockKeyword::JavaMax), "VERSION",
         "highest Java version the program runs on (default: no bound); a shorter version covers the longer ones it begins (21 allows 21.0.5); runtimes above it are passed over",
         &ExtendedSettings::javaMaxVersion),
    text("downloadUrl", 4, "download-url", blockKeywordText(BlockKeyword::DownloadUrl), "URL",
         "where to get a suitable Java: added to the message when no runtime is found (on Windows the message offers to open it in the browser)",
         &ExtendedSettings::downloadUrl),
    flag("consoleProgram", 5, "console-program", nullptr,
         "Windows, JDK 2.0: a console program, made from stub12c.exe: the caller's standard streams, the program's exit code, Ctrl+C to the VM, failures as lines on standard error instead of message boxes; the console switch does nothing (default off)",
         &ExtendedSettings::consoleProgram),
    text("manifestPath", 6, "manifest", nullptr, "FILE",
         "Windows: application manifest (well-formed XML in UTF-8, at most 64 KB; relative to the project file's folder) written in place of the launcher's own, which runs the program as the caller, per-monitor DPI aware, with long paths, on Windows Vista to 11",
         &ExtendedSettings::manifestPath),
    text("embeddedJar", 7, "embed-jar", nullptr, "FILE",
         "JDK 2.0: jar stored inside the executable (relative to the project file's folder) and first on its class path, so one file holds the program; without a main class the compile takes the jar manifest's Main-Class",
         &ExtendedSettings::embeddedJar),
    flag("startupCache", 8, "startup-cache", blockKeywordText(BlockKeyword::StartupCache),
         "keep a start-up cache of the program's classes for each user (Java 13 and newer; default off)",
         &ExtendedSettings::startupCache),
    {"workingFolder", 9, SettingKind::Choice, "working-folder", "working-folder",
     blockKeywordText(BlockKeyword::WorkingFolder), "executable|caller",
     "the current folder of the program: the executable's (default) or the caller's",
     kWorkingFolders, nullptr, nullptr, &ExtendedSettings::workingFolder, nullptr},
    text("fileDescription", 10, "file-description", nullptr, "TEXT",
         "FileDescription of the version block (default: the exe name and Caskit)", &ExtendedSettings::fileDescription),
    text("productName", 11, "product-name", nullptr, "TEXT",
         "ProductName of the version block (default: the exe name)",
         &ExtendedSettings::productName),
    // Recorded from --code-page, which every command takes.
    {"codePage", 12, SettingKind::Number, nullptr, "code-page", nullptr, "N", "", nullptr, nullptr, nullptr,
     &ExtendedSettings::codePage, nullptr},
    // Set by "--min-heap default" and "--max-heap default".
    {"runtimeHeap", 13, SettingKind::Number, nullptr, "runtime-heap", blockKeywordText(BlockKeyword::RuntimeHeap), "N",
     "", nullptr, nullptr, nullptr, &ExtendedSettings::runtimeHeap, nullptr},
    {"restartExitCode", 15, SettingKind::Number, "restart-exit-code", "restart-exit-code",
     blockKeywordText(BlockKeyword::RestartExitCode), "N|off",
     "JDK 2.0: when the program ends with System.exit(N) (1 to 255), start it again with the same arguments, environment and current folder, at most 5 times within 60 seconds; the caller gets the last exit code (default off)",
     nullptr, nullptr, nullptr, &ExtendedSettings::restartExitCode, nullptr, 255},
    flag("singleInstance", 16, "single-instance", blockKeywordText(BlockKeyword::SingleInstance),
         "JDK 2.0: one instance per user: a later start hands its current folder and arguments to the running one and ends with 0, or with 1 after 5 seconds without an answer (default off)",
         &ExtendedSettings::singleInstance),
    text("instanceId", 17, "instance-id", blockKeywordText(BlockKeyword::InstanceId), "TEXT",
         "the name that makes starts one program for --single-instance (default: the executable's path)",
         &ExtendedSettings::instanceId),
    text("instanceHandler", 18, "instance-handler", blockKeywordText(BlockKeyword::InstanceHandler), "CLASS.METHOD",
         "public static void METHOD(String folder, String[] args) called with each later start's folder and arguments, one at a time, on a thread of its own (default: none; Windows brings the window to the front)",
         &ExtendedSettings::instanceHandler),
    text("splashImage", 19, "splash", nullptr, "FILE",
         "JDK 2.0: PNG, GIF or JPEG stored inside the executable and shown through the runtime's splash-screen library before Java loads (relative to the project file's folder); java.awt.SplashScreen works on it, and the program's first window closes it",
         &ExtendedSettings::splashImage),
    {"splashTimeout", 20, SettingKind::Number, "splash-timeout", "splash-timeout",
     blockKeywordText(BlockKeyword::SplashTimeout), "SECONDS|off",
     "close the splash screen after this many seconds (1 to 3600) even when no window has shown (default off: until the first window)",
     nullptr, nullptr, nullptr, &ExtendedSettings::splashTimeout, nullptr, 3600},
};

// A row for every field of ExtendedSettings (a row naming no field does
// not compile; ProjectExtensionTest finds two rows naming one field).
#define CASKIT_ONE_MORE(type, field) +1
static_assert(std::size(kSettings) == 0 CASKIT_EXTENDED_SETTINGS(CASKIT_ONE_MORE), "a setting has no row");
#undef CASKIT_ONE_MORE

}  // namespace

bool ExtendedSettings::operator==(const ExtendedSettings& o) const {
#define CASKIT_SAME(type, field) field == o.field &&
    return CASKIT_EXTENDED_SETTINGS(CASKIT_SAME) unknownRecords == o.unknownRecords;
#undef CASKIT_SAME
}

const std::vector<SettingInfo>& settingTable() {
    static const std::vector<SettingInfo> table(std::begin(kSettings), std::end(kSettings));
    return table;
}

const SettingInfo* settingByOption(const std::string& option) {
    for (const SettingInfo& s : settingTable())
        if (s.option && option == s.option) return &s;
    return nullptr;
}

bool isDefault(const SettingInfo& s, const ExtendedSettings& settings) {
    static const ExtendedSettings defaults;
    switch (s.kind) {
    case SettingKind::Text: return settings.*s.text == defaults.*s.text;
    case SettingKind::Switch: return settings.*s.flag == defaults.*s.flag;
    case SettingKind::Number:
    case SettingKind::Choice: return settings.*s.number == defaults.*s.number;
    case SettingKind::List: break;
    }
    return (settings.*s.list).empty();
}

const char* choiceName(const SettingInfo& s, std::uint32_t value) {
    if (!s.choices) return nullptr;
    for (std::uint32_t i = 0; s.choices[i]; ++i)
        if (i == value) return s.choices[i];
    return nullptr;
}
