#include "vmbind/StartupCache.h"

#include "launcher/DiagnosticLog.h"
#include "platform/DynamicLibrary.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/OwnModule.h"
#include "platform/PathSeparator.h"

#include <string.h>

namespace {

const char kVariable[] = "CASKIT_STARTUP_CACHE";
const uint64_t kHashStart = 0xcbf29ce484222325ull;  // FNV-1a, 64 bits
const uint64_t kHashPrime = 0x100000001b3ull;
const size_t kKeyDigits = 16;    // a hash in hexadecimal
const size_t kMostAttempts = 3;  // recordings that made no archive

// The options of each step as one line of arguments (quotes group); '@'
// stands for the files' path without extension.
// Indexed by CacheStep.
const char kStepOptions[] =
    "\"-XX:SharedArchiveFile=@.jsa\" -Xshare:auto\0"
    "\"-XX:DumpLoadedClassList=@.lst\"\0"
    "-Xshare:dump \"-XX:SharedClassListFile=@.lst\" \"-XX:SharedArchiveFile=@.new\"\0";

bool gDump = false;  // this process dumps the archive
bool gDiagnostics = false;
Text gBase;            // the cache folder, a separator and the name: the files' path without extension
Text gKey;             // the archive's hash in hexadecimal, the start of its marker
Text gPath, gTarget;   // paths made by cachePath
platform::File gLock;  // the lock of the archive's files, held while they change

void note(const char* text, const char* detail = "") {
    if (!gDiagnostics) return;
    Text line = "Start-up cache: ";
    line += text;
    line += detail;
    diagnosticLog().writeLine(line);
}

uint64_t hashBytes(uint64_t hash, const void* bytes, size_t size) {
    for (const unsigned char* p = static_cast<const unsigned char*>(bytes); size > 0; --size) hash = (hash ^ *p++) * kHashPrime;
    return hash;
}

// The path with its terminating zero (so that names do not run together),
// then the size and time of the file it names (zeros for none).
uint64_t hashFile(uint64_t hash, const Text& path) {
    uint64_t stamp[2] = {0, 0};
    platform::fileStamp(path.c_str(), stamp[0], stamp[1]);
    return hashBytes(hashBytes(hash, path.c_str(), path.size() + 1), stamp, sizeof stamp);
}

void appendHex(Text& text, uint64_t value) {
    for (int shift = 60; shift >= 0; shift -= 4) text += "0123456789abcdef"[(value >> shift) & 15];
}

// gBase + `extension` in `into`, then "." and this process's id in
// hexadecimal when asked: the name a process writes before it renames the
// file into place.
const char* cachePath(const char* extension, bool ownName = false, Text& into = gPath) {
    into = gBase;
    into += extension;
    if (ownName) {
        into += '.';
        appendHex(into, platform::ownProcessId());
    }
    return into.c_str();
}

bool cacheStamp(const char* extension, uint64_t& size) {
    uint64_t time = 0;
    return platform::fileStamp(cachePath(extension), size, time);
}

// The marker, written under this process's name, then renamed into place:
// gKey, then `state`.
bool writeMarker(const Text& state) {
    bool written;
    {
        platform::File file = platform::File::open(cachePath(".m", true), platform::File::Mode::CreateAlways);
        written = file.write(gKey + state) && file.close();
    }
    if (written && platform::renameFile(gPath.c_str(), cachePath(".m", false, gTarget))) return true;
    platform::removeFile(gPath.c_str());
    return false;
}

// The marker's state after gKey: empty after the first start, a "+" for
// each recording since, the archive's size in hexadecimal once it is made.
// False when there is no marker, or it belongs to another archive.
bool readMarker(Text& state) {
    char bytes[40];
    const long long count =
        platform::File::open(cachePath(".m"), platform::File::Mode::ReadShared).read(bytes, sizeof bytes);
    if (count < static_cast<long long>(kKeyDigits) || memcmp(bytes, gKey.c_str(), kKeyDigits) != 0) return false;
    state = Text(bytes + kKeyDigits, static_cast<size_t>(count) - kKeyDigits);
    return true;
}

// Whether the archive is whole: its size is the one the marker holds.
bool archiveUsable(const Text& state) {
    uint64_t size = 0;
    Text sizeText;
    if (cacheStamp(".jsa", size)) appendHex(sizeText, size);
    return !state.empty() && sizeText == state;
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
// its size into the marker. Called with the lock held, after a recording
// of this key (which removed any older archive of that name).
bool takeNewArchive() {
    char header[4] = {0, 0, 0, 0};
    platform::File::open(cachePath(".new"), platform::File::Mode::ReadShared).read(header, sizeof header);
    uint64_t size = 0;
    Text sizeText;
    if (!(header[0] | header[1] | header[2] | header[3]) || !cacheStamp(".new", size) ||
        !platform::renameFile(gPath.c_str(), cachePath(".jsa", false, gTarget)))
        return false;
    appendHex(sizeText, size);
    note("made ", gTarget.c_str());
    platform::removeFile(cachePath(".lst"));
    return writeMarker(sizeText);
}

// A program's start: which step, if any, and why (in the log). Sets gBase
// and gKey; a recording start holds the lock until it ends, and has
// started the process that dumps the archive once it may.
bool chooseStep(const LaunchParameters& parameters, const JavaVersion& runtime, const Text& classPathText,
                const void* vmEntry, const List<Text>& options, CacheStep& step) {
    if (!keepsStartupCache(runtime)) {
        note("none for Java ", versionText(runtime).c_str());
        return false;
    }
    if (!cacheFolder(gBase)) {
        note("no folder ", gBase.c_str());
        return false;
    }
    // The name: the executable's hash and one of four slots, so that an
    // executable never has more than four archives; a new archive in a
    // slot replaces the old one.
    const uint64_t key = startupCacheKey(options, platform::libraryPathOf(vmEntry), runtime, classPathText);
    gBase += platform::kPathSeparator;
    gPath = parameters.exeFolder;
    gPath += parameters.exeName;
    appendHex(gBase, hashBytes(kHashStart, gPath.c_str(), gPath.size()));
    gBase += static_cast<char>('0' + (key & 3));
    appendHex(gKey, key);

    Text state;
    if (!readMarker(state)) {
        const bool written = writeMarker(Text());
        note(written ? "first start, nothing recorded" : "cannot write ", written ? "" : gBase.c_str());
        return false;
    }
    step = CacheStep::Use;
    if (!archiveUsable(state)) {
        gLock = platform::File::open(cachePath(".lck"), platform::File::Mode::Locked);
        if (!gLock.isOpen()) {
            note("being made");
            return false;
        }
        // Only an archive dumped after this key's last recording is its own.
        const bool recorded = state.startsWith("+");
        if (!recorded || !takeNewArchive()) {
            if (!recorded) state.clear();  // the archive is gone or not whole
            platform::removeFile(cachePath(".new"));
            state += '+';
            // The dumping process gets the files' path and the key, and waits
            // for the lock; the program never sees the variable.
            const bool started = state.size() <= kMostAttempts && writeMarker(state) &&
                                 platform::setVariable(kVariable, (gBase + gKey).c_str()) && platform::startOwnProgram();
            platform::setVariable(kVariable, nullptr);
            if (!started) {
                gLock.close();
                note(state.size() > kMostAttempts ? "not made after 3 recordings" : "cannot record");
                return false;
            }
            step = CacheStep::Record;
            note("records the classes into ", cachePath(".lst"));
            return true;
        }
    }
    gLock.close();
    note("uses ", cachePath(".jsa"));
    return true;
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
    if (platform::startupVariable(kVariable, gBase) && gBase.size() > kKeyDigits) {
        gDump = true;
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
    if (startupCacheDump()) {
        // The variable holds the files' path, then the key. The recording
        // start holds the lock until it ends.
        const size_t keyAt = gBase.size() - kKeyDigits;
        gKey = gBase.substr(keyAt);
        gBase.resize(keyAt);
        Text state;
        gLock = platform::File::open(cachePath(".lck"), platform::File::Mode::LockedWait);
        if (!readMarker(state) || archiveUsable(state)) gLock.close();  // made meanwhile
        // The dump takes the class path up to its first entry that is no
        // file: the VM archives no classes from folders and refuses to dump
        // with one that holds files; the full class path extends this one,
        // which is all the archive asks of it.
        Text& classPath = options.texts[0];  // "-Djava.class.path=" and the text
        const size_t first = classPath.find('=') + 1;
        size_t start = first, end = first;
        uint64_t size = 0, time = 0;
        while (start < classPath.size()) {
            end = classPath.find(platform::kListSeparator, start);
            if (end == Text::npos) end = classPath.size();
            if (!platform::fileStamp(classPath.substr(start, end - start).c_str(), size, time)) break;
            start = end + 1;
        }
        classPath.resize(start > first ? start - 1 : first);
    } else {
        gDiagnostics = parameters.diagnosticsEnabled;
        if (!parameters.startupCache || !chooseStep(parameters, runtime, classPathText, vmEntry, options.texts, step))
            return;
    }
    appendOptions(options, startupCacheOptions(step, runtime, gBase), OptionSource::StartupCache);
}

int dumpStartupCache(CreateJavaVMFunction create, void* initArgs) {
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    // The VM ends the process once the archive is written; one that comes
    // back made none.
    if (gLock.isOpen() && create(&vm, &env, initArgs) == JNI_OK) vm->DestroyJavaVM();
    return -1;
}
