#include "vmbind/StartupCache.h"

#include "launcher/DiagnosticLog.h"
#include "platform/DynamicLibrary.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/OwnModule.h"
#include "platform/PathSeparator.h"
#include "vmbind/CacheFolder.h"
#include "vmbind/IdleFolders.h"
#include "vmbind/JdkJavaOptions.h"

namespace {

const char kVariable[] = "CASKIT_STARTUP_CACHE";
const size_t kKeyDigits = 16;  // a hash in hexadecimal

// The options of each step as one line of arguments (quotes group); '@'
// stands for the files' path without extension.
// Indexed by CacheStep.
const char kStepOptions[] =
    "\"-XX:SharedArchiveFile=@.jsa\" -Xshare:auto\0"
    "\"-XX:DumpLoadedClassList=@.lst\"\0"
    "-Xshare:dump \"-XX:SharedClassListFile=@.lst\" \"-XX:SharedArchiveFile=@.new\"\0";

// The cache's own files are never opened through a link.
using Mode = platform::File::Mode;
const Mode kReadOwn = Mode::ReadShared | Mode::NoLink;

bool gDump = false;    // this process dumps the archive

// The lock of the archive's files, held while they change (until the
// process ends). It keeps its handle complemented, so that "none" is zero
// and the lock lives in zeroed storage, not in a data section of its own.
class CacheLock {
public:
    CacheLock& operator=(platform::File&& file) {
        close();
        complement_ = ~file.release();
        return *this;
    }
    bool isOpen() const { return complement_ != 0; }
    void close() {
        platform::File::adopt(~complement_);  // closed as it goes
        complement_ = 0;
    }

private:
    intptr_t complement_;
};
CacheLock gLock;

// One start's archive: its files and its key.
struct CacheFiles {
    Text base;          // the cache folder, a separator and the name: the files' path without extension
    Text key;           // the archive's hash in hexadecimal, the start of its marker
    Text folder, name;  // the cache folder, and the files' name in it
    Text about;         // the marker's lines after its first: the executable and the runtime
    Text path, target;  // paths made by cachePath
    bool diagnostics = false;
};

// The archive this start tries, and its state: a start on trial holds the
// lock until the VM is created.
CacheFiles gUsed;
CacheState gUsedState = {CacheState::Unseen, 0};

void note(const CacheFiles& files, const char* text, const char* detail = "") {
    if (!files.diagnostics) return;
    Text line = "Start-up cache: ";
    line += text;
    line += detail;
    diagnosticLog().writeLine(line);
}

// The path with its terminating zero (so that names do not run together),
// then the stamp of the file it names (zeros for none): a file replaced by
// one of the same size whose time was kept is another file.
uint64_t hashFile(uint64_t hash, const Text& path) {
    platform::FileStamp stamp = {0, 0, 0, 0};
    platform::fileStamp(path.c_str(), stamp);
    return cacheHash(cacheHash(hash, path.c_str(), path.size() + 1), &stamp, sizeof stamp);
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

// Takes the lock of the archive's files (Mode::Locked or Mode::LockedWait).
bool lockCache(CacheFiles& files, Mode mode) {
    gLock = platform::File::open(cachePath(files, ".lck"), mode | Mode::NoLink);
    return gLock.isOpen();
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
        // A file of that name is another run's of the same process id, long gone.
        platform::removeFile(cachePath(files, ".m", true));
        platform::File file = platform::File::open(files.path.c_str(), platform::File::Mode::CreateNew);
        // On the disk before it takes the place of the old one.
        written = file.write(cacheMarker(files.key, state) + files.about) && file.flush() && file.close();
    }
    if (written && platform::renameFile(files.path.c_str(), cachePath(files, ".m", false, true))) return true;
    platform::removeFile(files.path.c_str());
    return false;
}

// The marker's state (its first line, which fits `bytes`); `dayOld`, when
// asked, tells whether it was written more than a day ago.
CacheState readMarker(CacheFiles& files, bool* dayOld = nullptr) {
    char bytes[52];
    platform::File file = platform::File::open(cachePath(files, ".m"), kReadOwn);
    const long long count = file.read(bytes, sizeof bytes);
    platform::FileStamp stamp;
    if (dayOld && platform::fileStamp(files.path.c_str(), stamp))
        *dayOld = stamp.written + platform::kStampDay < platform::stampTimeNow();
    return readCacheState(bytes, count > 0 ? static_cast<size_t>(count) : 0, files.key, dayOld && *dayOld);
}

// The hash of a file's content: each 64-bit word (little-endian, as every
// target reads it), then the bytes after the last whole one, through
// FNV-1a's steps. Reading it costs a start some 1 ms for each 4 MB on a
// quiet machine (5 ms for an archive of 22 MB), where the VM's own check
// of its checksums (-XX:+VerifySharedSpaces) costs some 3 ms per MB.
bool archiveHash(const char* path, uint64_t& hash) {
    static uint64_t words[8192];  // 64 KB outside the stack
    platform::File file = platform::File::open(path, kReadOwn);
    hash = kCacheHashStart;
    long long count;
    while ((count = file.read(words, sizeof words)) > 0) {
        const size_t whole = static_cast<size_t>(count) / 8;
        for (size_t i = 0; i < whole; ++i) hash = (hash ^ words[i]) * kCacheHashPrime;
        hash = cacheHash(hash, words + whole, static_cast<size_t>(count) % 8);
    }
    return count == 0;
}

// Whether the archive is whole: its size and its hash are the ones the
// marker holds.
bool archiveWhole(CacheFiles& files, const CacheState& state) {
    uint64_t size = 0, hash = 0;
    return (state.kind == CacheState::Made || state.kind == CacheState::Trial) && cacheStamp(files, ".jsa", size) &&
           size == state.count && archiveHash(files.path.c_str(), hash) && hash == state.hash;
}

// An archive the dumping process finished goes into place when the VM
// wrote its header (it does so last: zeros mean a dump cut short), and
// its size and hash (in `made`) into the marker. Called with the lock held, after a
// recording of this key (which removed any older archive of that name).
bool takeNewArchive(CacheFiles& files, CacheState& made) {
    char header[4] = {0, 0, 0, 0};
    {
        // On the disk before the rename makes it the archive (Windows
        // flushes no file opened for reading: there the system's own
        // writing-back stands).
        platform::File archive = platform::File::open(cachePath(files, ".new"), kReadOwn);
        archive.read(header, sizeof header);
        archive.flush();
    }
    made.kind = CacheState::Trial;
    if (!(header[0] | header[1] | header[2] | header[3]) || !cacheStamp(files, ".new", made.count) ||
        !archiveHash(files.path.c_str(), made.hash) ||
        !platform::renameFile(files.path.c_str(), cachePath(files, ".jsa", false, true)))
        return false;
    note(files, "made ", files.target.c_str());
    platform::removeFile(cachePath(files, ".lst"));
    if (!writeMarker(files, made)) return false;
    // A new archive is the moment to make room for it.
    tidyStartupCache(files.folder, files.name, startupCacheCap());
    return true;
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
    const char* problem;
    if (!startupCacheFolder(files.base, problem)) {
        Text why = problem;
        why += ": ";
        note(files, "folder ", (why += files.base).c_str());
        return CacheStep::Nothing;
    }
    // Each configuration of an executable has an archive of its own; the
    // marker names the executable and the runtime for `caskit cache list`.
    const Text library = platform::libraryPathOf(vmEntry);
    const uint64_t key = startupCacheKey(options, library, runtime, classPathText);
    files.folder = files.base;
    files.base += platform::kPathSeparator;
    files.name = cacheFileName(parameters.exeFolder + parameters.exeName, key);
    files.base += files.name;
    appendHex(files.key, key);
    ((((files.about = "\n") += parameters.exeFolder) += parameters.exeName) += "\n") += library;
    files.about += "\n";

    bool dayOld = false;
    CacheState state = readMarker(files, &dayOld);
    CacheEvent event = archiveWhole(files, state) ? CacheEvent::ArchiveWhole : CacheEvent::Start;
    CacheState made = {CacheState::Trial, 0};
    CacheStep step;
    while ((step = moveCacheState(state, event, made)) == CacheStep::Lock || step == CacheStep::Take) {
        if (step == CacheStep::Take) {
            event = takeNewArchive(files, made) ? CacheEvent::ArchiveMade : CacheEvent::NothingNew;
            continue;
        }
        if (!lockCache(files, Mode::Locked)) {
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
        // The marker's time is the archive's last use, kept to the day:
        // the size cap removes the least recently used first.
        if (state.kind == CacheState::Made && dayOld &&
            lockCache(files, Mode::Locked))
            writeMarker(files, state);
        if (state.kind != CacheState::Trial) gLock.close();
        if (state.kind == CacheState::Trial) {
            gUsed = files;
            gUsedState = state;
        }
        note(files, state.kind == CacheState::Trial ? "tries " : "uses ", cachePath(files, ".jsa"));
        return CacheStep::Use;
    }
    // Record, or give up. The dumping process gets the files' path and the
    // key, and waits for the lock; the program never sees the variable.
    // The VM writes the class list through whatever is at its name.
    platform::removeFile(cachePath(files, ".new"));
    platform::removeFile(cachePath(files, ".lst"));
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
    uint64_t hash = kCacheHashStart;
    for (const Text& option : options) hash = cacheHash(hash, option.c_str(), option.size() + 1);
    hash = cacheHash(hashFile(hash, library), runtime.parts, sizeof runtime.parts);
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
        lockCache(files, Mode::LockedWait);
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

void startupCacheStarted() {
    // The trial is over: the marker says so, under the lock it held.
    if (gUsedState.kind != CacheState::Trial) return;
    const CacheState made = {CacheState::Made, gUsedState.count, gUsedState.hash};
    if (readMarker(gUsed) == gUsedState) writeMarker(gUsed, made);
    gLock.close();
}

int dumpStartupCache(CreateJavaVMFunction create, void* initArgs) {
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    // The VM ends the process once the archive is written; one that comes
    // back made none.
    if (gLock.isOpen() && create(&vm, &env, initArgs) == JNI_OK) vm->DestroyJavaVM();
    return -1;
}
