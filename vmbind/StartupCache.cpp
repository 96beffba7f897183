#include "vmbind/StartupCache.h"

#include "launcher/DiagnosticLog.h"
#include "platform/DynamicLibrary.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/OwnModule.h"
#include "platform/PathSeparator.h"
#include "vmbind/IdleFolders.h"
#include "vmbind/JdkJavaOptions.h"

namespace {

const char kVariable[] = "CASKIT_STARTUP_CACHE";
const uint64_t kHashStart = 0xcbf29ce484222325ull;  // FNV-1a, 64 bits
const uint64_t kHashPrime = 0x100000001b3ull;
const size_t kKeyDigits = 16;  // a hash in hexadecimal

// The options of each step as one line of arguments (quotes group); '@'
// stands for the files' path without extension.
// Indexed by CacheStep.
const char kStepOptions[] =
    "\"-XX:SharedArchiveFile=@.jsa\" -Xshare:auto\0"
    "\"-XX:DumpLoadedClassList=@.lst\"\0"
    "-Xshare:dump \"-XX:SharedClassListFile=@.lst\" \"-XX:SharedArchiveFile=@.new\"\0";

bool gDump = false;    // this process dumps the archive
platform::File gLock;  // the lock of the archive's files, held while they change (until the process ends)

// One start's archive: its files and its key.
struct CacheFiles {
    Text base;          // the cache folder, a separator and the name: the files' path without extension
    Text key;           // the archive's hash in hexadecimal, the start of its marker
    Text path, target;  // paths made by cachePath
    bool diagnostics = false;
};

void note(const CacheFiles& files, const char* text, const char* detail = "") {
    if (!files.diagnostics) return;
    Text line = "Start-up cache: ";
    line += text;
    line += detail;
    diagnosticLog().writeLine(line);
}

// Kept out of line: inlined at each of its uses, the 64-bit multiply
// costs the 32-bit stub some 300 bytes.
[[gnu::noinline]] uint64_t hashBytes(uint64_t hash, const void* bytes, size_t size) {
    for (const unsigned char* p = static_cast<const unsigned char*>(bytes); size > 0; --size) hash = (hash ^ *p++) * kHashPrime;
    return hash;
}

// The path with its terminating zero (so that names do not run together),
// then the stamp of the file it names (zeros for none): a file replaced by
// one of the same size whose time was kept is another file.
uint64_t hashFile(uint64_t hash, const Text& path) {
    platform::FileStamp stamp = {0, 0, 0, 0};
    platform::fileStamp(path.c_str(), stamp);
    return hashBytes(hashBytes(hash, path.c_str(), path.size() + 1), &stamp, sizeof stamp);
}

// The files' path + `extension` in `files.path` (or `files.target`), then
// "." and this process's id in hexadecimal when asked: the name a process
// writes before it renames the file into place.
const char* cachePath(CacheFiles& files, const char* extension, bool ownName = false, bool target = false) {
    Text& into = target ? files.target : files.path;
    into = files.base;
    into += extension;
    if (ownName) {
        into += '.';
        appendHex(into, platform::ownProcessId());
    }
    return into.c_str();
}

bool cacheStamp(CacheFiles& files, const char* extension, uint64_t& size) {
    platform::FileStamp stamp;
    if (!platform::fileStamp(cachePath(files, extension), stamp)) return false;
    size = stamp.size;
    return true;
}

// The marker of `state`, written under this process's name, then renamed
// into place.
bool writeMarker(CacheFiles& files, const CacheState& state) {
    bool written;
    {
        platform::File file = platform::File::open(cachePath(files, ".m", true), platform::File::Mode::CreateAlways);
        written = file.write(cacheMarker(files.key, state)) && file.close();
    }
    if (written && platform::renameFile(files.path.c_str(), cachePath(files, ".m", false, true))) return true;
    platform::removeFile(files.path.c_str());
    return false;
}

CacheState readMarker(CacheFiles& files) {
    char bytes[40];
    const long long count =
        platform::File::open(cachePath(files, ".m"), platform::File::Mode::ReadShared).read(bytes, sizeof bytes);
    return readCacheState(bytes, count > 0 ? static_cast<size_t>(count) : 0, files.key);
}

// Whether the archive is whole: its size is the one the marker holds.
bool archiveWhole(CacheFiles& files, const CacheState& state) {
    uint64_t size = 0;
    return state.kind == CacheState::Made && cacheStamp(files, ".jsa", size) && size == state.count;
}

// $XDG_CACHE_HOME/caskit (an absolute one; else ~/.cache/caskit) or
// %LOCALAPPDATA%\Caskit\cache, made when missing; false (with the folder
// tried in `folder`) when there is none.
bool cacheFolder(Text& folder) {
#ifdef _WIN32
    if (!platform::startupVariable("LOCALAPPDATA", folder) || folder.empty()) return false;
    folder += "\\Caskit";
    platform::ensureFolder(folder.c_str());
    folder += "\\cache";
#else
    if (!platform::startupVariable("XDG_CACHE_HOME", folder) || !folder.startsWith("/")) {
        if (!platform::startupVariable("HOME", folder) || folder.empty()) return false;
        folder += "/.cache";
    }
    platform::ensureFolder(folder.c_str());
    folder += "/caskit";
#endif
    // A quote would end the path in the options' line.
    return folder.find('"') == Text::npos && platform::ensureFolder(folder.c_str());
}

// An archive the dumping process finished goes into place when the VM
// wrote its header (it does so last: zeros mean a dump cut short), and
// its size (in `size`) into the marker. Called with the lock held, after a
// recording of this key (which removed any older archive of that name).
bool takeNewArchive(CacheFiles& files, uint64_t& size) {
    char header[4] = {0, 0, 0, 0};
    platform::File::open(cachePath(files, ".new"), platform::File::Mode::ReadShared).read(header, sizeof header);
    if (!(header[0] | header[1] | header[2] | header[3]) || !cacheStamp(files, ".new", size) ||
        !platform::renameFile(files.path.c_str(), cachePath(files, ".jsa", false, true)))
        return false;
    note(files, "made ", files.target.c_str());
    platform::removeFile(cachePath(files, ".lst"));
    return writeMarker(files, CacheState{CacheState::Made, size});
}

// A program's start: which step (Nothing for none), and why (in the log).
// Sets the files' path and key; a recording start holds the lock until it
// ends, and has started the process that dumps the archive once it may.
CacheStep chooseStep(CacheFiles& files, const LaunchParameters& parameters, const JavaVersion& runtime,
                     const Text& classPathText, const void* vmEntry, const List<Text>& options) {
    if (!keepsStartupCache(runtime)) {
        note(files, "none for Java ", versionText(runtime).c_str());
        return CacheStep::Nothing;
    }
    if (!cacheFolder(files.base)) {
        note(files, "no folder ", files.base.c_str());
        return CacheStep::Nothing;
    }
    // The name: the executable's hash and one of four slots, so that an
    // executable never has more than four archives; a new archive in a
    // slot replaces the old one.
    const uint64_t key = startupCacheKey(options, platform::libraryPathOf(vmEntry), runtime, classPathText);
    files.base += platform::kPathSeparator;
    files.path = parameters.exeFolder;
    files.path += parameters.exeName;
    appendHex(files.base, hashBytes(kHashStart, files.path.c_str(), files.path.size()));
    files.base += static_cast<char>('0' + (key & 3));
    appendHex(files.key, key);

    CacheState state = readMarker(files);
    CacheEvent event = archiveWhole(files, state) ? CacheEvent::ArchiveWhole : CacheEvent::Start;
    uint64_t size = 0;
    CacheStep step;
    while ((step = moveCacheState(state, event, size)) == CacheStep::Lock || step == CacheStep::Take) {
        if (step == CacheStep::Take) {
            event = takeNewArchive(files, size) ? CacheEvent::ArchiveMade : CacheEvent::NothingNew;
            continue;
        }
        gLock = platform::File::open(cachePath(files, ".lck"), platform::File::Mode::Locked);
        if (!gLock.isOpen()) {
            note(files, "being made");
            return CacheStep::Nothing;
        }
        event = CacheEvent::Locked;
    }
    if (state.kind == CacheState::Seen) {  // a first start only marks the key
        const bool written = writeMarker(files, state);
        note(files, written ? "first start, nothing recorded" : "cannot write ", written ? "" : files.base.c_str());
        return CacheStep::Nothing;
    }
    if (step == CacheStep::Use) {
        gLock.close();
        note(files, "uses ", cachePath(files, ".jsa"));
        return CacheStep::Use;
    }
    // Record, or give up. The dumping process gets the files' path and the
    // key, and waits for the lock; the program never sees the variable.
    platform::removeFile(cachePath(files, ".new"));
    const bool started = step == CacheStep::Record && writeMarker(files, state) &&
                         platform::setVariable(kVariable, (files.base + files.key).c_str()) &&
                         platform::startOwnProgram();
    platform::setVariable(kVariable, nullptr);
    if (!started) {
        gLock.close();
        note(files, step == CacheStep::Record ? "cannot record" : "not made after 3 recordings");
        return CacheStep::Nothing;
    }
    note(files, "records the classes into ", cachePath(files, ".lst"));
    return CacheStep::Record;
}

// The class path of a cached start, in the VM's options (the log shows
// them) and in `classPath`, with its idle folders behind its files, so
// that the archive can hold the classes of the program's jars.
void moveFolders(VmOptions& options, Text& classPath, const LaunchParameters& parameters, const void* vmEntry) {
    if (!moveIdleFolders(classPath, parameters.exeFolder + parameters.exeName, platform::libraryPathOf(vmEntry)))
        return;
    Text& text = options.texts[0];  // "-Djava.class.path=" and the text
    text.resize(text.find('=') + 1);
    text += classPath;
}

int quietMessage(void*, platform::WindowRef, const char*, const char*, unsigned) { return platform::kIdOk; }

}  // namespace

bool keepsStartupCache(const JavaVersion& runtime) { return runtime.count > 0 && runtime.parts[0] >= 13; }

List<Text> startupCacheOptions(CacheStep step, const JavaVersion& runtime, const Text& base) {
    Text line;
    for (const char* c = packedText(kStepOptions, static_cast<unsigned>(step)); *c; ++c) {
        if (*c == '@')
            line += base;
        else
            line += *c;
    }
    if (step == CacheStep::Dump && runtime.parts[0] >= 24) line += " -XX:+AOTClassLinking";
    // Java 25 logs about archives under the tag "aot" too; older runtimes refuse the tag.
    line += " -Xlog:cds*=off";
    if (runtime.parts[0] >= 25) line += " -Xlog:aot*=off";
    return splitArguments(line);
}

uint64_t startupCacheKey(const List<Text>& options, const Text& library, const JavaVersion& runtime,
                         const Text& classPathText) {
    uint64_t hash = kHashStart;
    for (const Text& option : options) hash = hashBytes(hash, option.c_str(), option.size() + 1);
    hash = hashBytes(hashFile(hash, library), runtime.parts, sizeof runtime.parts);
    for (size_t start = 0; start < classPathText.size();) {
        size_t end = classPathText.find(platform::kListSeparator, start);
        if (end == Text::npos) end = classPathText.size();
        hash = hashFile(hash, classPathText.substr(start, end - start));
        start = end + 1;
    }
    return hash;
}

bool startupCacheDump() {
    static bool read = false;
    if (read) return gDump;
    read = true;
    Text value;
    gDump = platform::startupVariable(kVariable, value) && value.size() > kKeyDigits;
    if (gDump) {
        platform::MessageHook quiet;
        quiet.show = quietMessage;
        platform::setMessageHook(quiet);
        platform::lowerOwnPriority();
        // Linux: the launcher's own lines would go to the program's log.
        platform::setVariable("CASKIT_DIAGNOSTICS", nullptr);
    }
    return gDump;
}

void addStartupCacheOptions(const LaunchParameters& parameters, const JavaVersion& runtime,
                            const Text& classPathText, const void* vmEntry, VmOptions& options) {
    CacheStep step = CacheStep::Dump;
    CacheFiles files;
    Text classPath = classPathText;
    if (startupCacheDump()) {
        moveFolders(options, classPath, parameters, vmEntry);
        // The variable holds the files' path, then the key. The recording
        // start holds the lock until it ends.
        platform::startupVariable(kVariable, files.base);
        const size_t keyAt = files.base.size() - kKeyDigits;
        files.key = files.base.substr(keyAt);
        files.base.resize(keyAt);
        gLock = platform::File::open(cachePath(files, ".lck"), platform::File::Mode::LockedWait);
        CacheState state = readMarker(files);
        const CacheEvent found = archiveWhole(files, state) ? CacheEvent::ArchiveWhole : CacheEvent::DumpLocked;
        if (moveCacheState(state, found) != CacheStep::Dump) gLock.close();  // no marker, or made meanwhile
        // The dump takes the class path up to its first entry that is no
        // file: the VM archives no classes from folders and refuses to dump
        // with one that holds files; the full class path extends this one,
        // which is all the archive asks of it.
        Text& vmClassPath = options.texts[0];  // "-Djava.class.path=" and the text
        const size_t first = vmClassPath.find('=') + 1;
        size_t start = first, end = first;
        platform::FileStamp stamp;
        while (start < vmClassPath.size()) {
            end = vmClassPath.find(platform::kListSeparator, start);
            if (end == Text::npos) end = vmClassPath.size();
            if (!platform::fileStamp(vmClassPath.substr(start, end - start).c_str(), stamp)) break;
            start = end + 1;
        }
        vmClassPath.resize(start > first ? start - 1 : first);
    } else {
        files.diagnostics = parameters.diagnosticsEnabled;
        if (!parameters.startupCache) return;
        // Sharing the program's options decide is theirs: a user's
        // -Xshare:off, say, keeps working.
        for (size_t i = options.ends[0]; i < options.texts.size(); ++i)
            if (isSharingOption(options.texts[i])) return note(files, "off for ", options.texts[i].c_str());
        if (keepsStartupCache(runtime)) moveFolders(options, classPath, parameters, vmEntry);
        step = chooseStep(files, parameters, runtime, classPath, vmEntry, options.texts);
        if (step == CacheStep::Nothing) return;
    }
    appendOptions(options, startupCacheOptions(step, runtime, files.base), OptionSource::StartupCache);
}

int dumpStartupCache(CreateJavaVMFunction create, void* initArgs) {
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    // The VM ends the process once the archive is written; one that comes
    // back made none.
    if (gLock.isOpen() && create(&vm, &env, initArgs) == JNI_OK) vm->DestroyJavaVM();
    return -1;
}
