#include "builder/engine/LineBreaks.h"

namespace {

bool holdsLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

std::optional<std::string> entryWithLineBreak(const Project& project, ProjectList list, const char* what) {
    const std::vector<std::string>& entries = project.listEntries(list);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (holdsLineBreak(entries[i])) return std::string(what) + " " + std::to_string(i + 1);
    return std::nullopt;
}

}  // namespace

std::string joinLines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return out;
}

std::optional<std::string> settingWithLineBreak(const Project& project) {
    const std::pair<const std::string*, const char*> texts[] = {
        {&project.exeName(), "exe name"},
        {&project.exeFolder(), "exe folder"},
        {&project.vmLibraryPath(), "VM library path"},
        {&project.mainClass(), "main class"},
    };
    for (const auto& text : texts)
        if (holdsLineBreak(*text.first)) return std::string(text.second);
    if (auto entry = entryWithLineBreak(project, ProjectList::ClassPath, "class path entry")) return entry;
    if (auto entry = entryWithLineBreak(project, ProjectList::Environment, "environment entry")) return entry;
    return entryWithLineBreak(project, ProjectList::Properties, "property");
}
