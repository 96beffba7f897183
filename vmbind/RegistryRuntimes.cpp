// The runtimes the registry names (Windows): Oracle's JavaSoft keys and
// the keys of installers that write none, under HKEY_LOCAL_MACHINE then
// HKEY_CURRENT_USER, each in the 64-bit and the 32-bit view. The newest
// Java version is examined first; runtimes of the other bitness are named
// with that reason when they are passed over.
#include "platform/Registry.h"
#include "vmbind/JavaVersion.h"
#include "vmbind/RuntimeSearch.h"

namespace {

// A key whose subkeys are versions (or, for Zulu, names holding the
// version); the home is the value `value` of version + `below`.
struct RuntimeKey {
    const char* key;
    const char* below;
    const char* value;
};

const RuntimeKey kRuntimeKeys[] = {
    {"SOFTWARE\\JavaSoft\\JDK", "", "JavaHome"},
    {"SOFTWARE\\JavaSoft\\JRE", "", "JavaHome"},
    {"SOFTWARE\\JavaSoft\\Java Runtime Environment", "", "JavaHome"},
    {"SOFTWARE\\JavaSoft\\Java Development Kit", "", "JavaHome"},
    {"SOFTWARE\\Eclipse Adoptium\\JDK", "\\hotspot\\MSI", "Path"},
    {"SOFTWARE\\Eclipse Adoptium\\JRE", "\\hotspot\\MSI", "Path"},
    {"SOFTWARE\\Eclipse Foundation\\JDK", "\\hotspot\\MSI", "Path"},
    {"SOFTWARE\\AdoptOpenJDK\\JDK", "\\hotspot\\MSI", "Path"},
    {"SOFTWARE\\AdoptOpenJDK\\JRE", "\\hotspot\\MSI", "Path"},
    {"SOFTWARE\\Semeru\\JDK", "\\openj9\\MSI", "Path"},
    {"SOFTWARE\\Semeru\\JRE", "\\openj9\\MSI", "Path"},
    {"SOFTWARE\\Microsoft\\JDK", "\\hotspot\\MSI", "Path"},
    {"SOFTWARE\\Azul Systems\\Zulu", "", "InstallationPath"},
    {"SOFTWARE\\Azul Systems\\Zulu 32-bit", "", "InstallationPath"},
};

// Nothing the registry says is trusted for its length or its count.
const size_t kMostValueBytes = 32768;
const unsigned kMostVersions = 64;

struct Registered {
    Text value;  // root, key and value name: "HKLM\\SOFTWARE\\JavaSoft\\JDK\\17\\JavaHome"
    const char* view;
    Text home;
    Text runtimeLib;  // empty when none
    JavaVersion version;
    const char* problem;  // why the value names no home; null when it does
};

const char* valueProblem(platform::ValueStatus status) {
    switch (status) {
    case platform::ValueStatus::Read: return nullptr;
    case platform::ValueStatus::Missing: return "value missing";
    case platform::ValueStatus::NotText: return "not a text value";
    case platform::ValueStatus::TooLong: return "value too long";
    case platform::ValueStatus::Unreadable: break;
    }
    return "value cannot be read";
}

// Adds one version's entry, after every entry of the same or a later
// version (so equal versions keep the order they were found in).
void readVersion(List<Registered>& found, platform::RegistryRoot root, platform::RegistryView view,
                 const RuntimeKey& runtimeKey, const Text& version) {
    Text name = runtimeKey.key;
    name += "\\";
    name += version;
    name += runtimeKey.below;
    platform::RegistryKey key = platform::openKey(root, name.c_str(), view);
    if (!key) return;
    Registered entry;
    entry.value = root == platform::RegistryRoot::LocalMachine ? "HKLM\\" : "HKCU\\";
    entry.value += name;
    entry.value += "\\";
    entry.value += runtimeKey.value;
    entry.view = view == platform::RegistryView::Bits64 ? "64-bit registry" : "32-bit registry";
    entry.version = parseJavaVersion(version.c_str());
    entry.problem = valueProblem(key.readLimitedText(runtimeKey.value, kMostValueBytes, entry.home));
    if (!entry.problem) entry.problem = pathProblem(entry.home);
    if (!entry.problem && key.readLimitedText("RuntimeLib", kMostValueBytes, entry.runtimeLib) !=
                              platform::ValueStatus::Read)
        entry.runtimeLib.clear();
    size_t at = 0;
    while (at < found.size() && !isLaterVersion(entry.version, found[at].version)) ++at;
    found.insert(at, static_cast<Registered&&>(entry));
}

// The version CurrentVersion names, when that subkey exists; else every
// version subkey.
void readKey(List<Registered>& found, platform::RegistryRoot root, platform::RegistryView view,
             const RuntimeKey& runtimeKey) {
    platform::RegistryKey key = platform::openKey(root, runtimeKey.key, view);
    if (!key) return;
    Text version;
    if (key.readLimitedText("CurrentVersion", 256, version) == platform::ValueStatus::Read && !version.empty()) {
        Text named = runtimeKey.key;
        named += "\\";
        named += version;
        if (platform::openKey(root, named.c_str(), view)) {
            readVersion(found, root, view, runtimeKey, version);
            return;
        }
    }
    for (unsigned i = 0; i < kMostVersions && key.subKeyName(i, version); ++i)
        readVersion(found, root, view, runtimeKey, version);
}

}  // namespace

bool searchRegistry(RuntimeSearch& search) {
    List<Registered> found;
    static const platform::RegistryRoot kRoots[] = {platform::RegistryRoot::LocalMachine,
                                                    platform::RegistryRoot::CurrentUser};
    static const platform::RegistryView kViews[] = {platform::RegistryView::Bits64, platform::RegistryView::Bits32};
    for (platform::RegistryRoot root : kRoots)
        for (platform::RegistryView view : kViews)
            for (const RuntimeKey& runtimeKey : kRuntimeKeys) readKey(found, root, view, runtimeKey);
    for (const Registered& entry : found) {
        if (entry.problem) {
            rejectCandidate(search, entry.view, entry.value, entry.problem);
            continue;
        }
        Text source = entry.value;
        source += ", ";
        source += entry.view;
        // A RuntimeLib that names no path is left out: the layouts are looked at.
        if (examineHome(search, source, entry.home, true,
                        entry.runtimeLib.empty() || pathProblem(entry.runtimeLib) ? nullptr : &entry.runtimeLib))
            return true;
    }
    return false;
}
