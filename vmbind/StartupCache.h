#pragma once
// The start-up cache ("startupcache"): the classes a program loads at
// start, parsed and linked by the VM into an archive that later starts map
// instead of loading them again (class-data sharing; from Java 24 on the
// classes are also linked ahead of time).
//
// One archive per user, executable, runtime and class path, in
// $XDG_CACHE_HOME/caskit (~/.cache/caskit) or %LOCALAPPDATA%\Caskit\cache
// (vmbind/CacheFolder.h), a folder private to the user: made with mode
// 0700 (Windows: the access list of the user's profile, which lets in the
// user, the system and administrators alone), and used only while
// no other user can change it (a real folder of the user's that nobody
// else may write, in a folder others cannot replace it in); an elevated
// Windows process uses none, since the user's unelevated processes can
// write it. Otherwise the start runs without the cache and the log says
// why. The cache's own files are never opened through a link, and the
// class list's name is cleared before the VM writes it.
// An archive's key is a hash of everything it depends on (the VM options
// with the class path, the runtime library, its version, and the stamp of
// every file on the class path: size, times to the nanosecond, identity),
// so a changed program or runtime gets a new archive. Its files are named
// by the hash of the executable's path and the key, so each configuration
// of an executable has its own:
//   <name>.m    marker: the key, then nothing after the first start, a
//               "+" for each recording since, and once the archive is made
//               its size and hash in hexadecimal ("?" after them while on
//               trial); a
//               marker of another key counts as none. Its next two lines
//               name the executable and the runtime library (for `caskit
//               cache list`); its time is the archive's last use
//   <name>.lst  the classes a recording start loaded
//   <name>.new  the archive as the dumping process wrote it
//   <name>.jsa  the archive, used while its size and hash are the marker's
//   <name>.lck  locked by the process that changes the others: a
//               recording start while it runs, then the dumping process
// The marker is written under a name with the process id after it, flushed
// to the disk and renamed into place; the archive is written under another
// name, flushed and renamed once the VM has finished it; so starts at the
// same moment never see half a file, and a crash leaves none.
//
// A start with the setting on, on Java 13 or newer:
//   the first on this machine writes the marker and nothing else, so a
//     program run once pays nothing;
//   while there is no archive, a start that gets the lock records: the VM
//     writes the list of the classes it loads (-XX:DumpLoadedClassList,
//     almost free); the launcher has started itself again detached, and
//     that process waits for the lock, which the system releases when the
//     program ends however it ends, then dumps the archive (-Xshare:dump)
//     at a low priority while nobody waits; the next start moves it into
//     place, tidies the folder (CacheFolder.h: files left over, then
//     the least recently used archives beyond the cap of all the user's
//     archives, 512 MB) and tries the archive: it holds the lock until the
//     VM is created, so a later start that finds the trial unfinished and
//     the lock free knows the archive killed its start, and records once
//     more instead; after three recordings that made nothing, none are
//     made for a day;
//   later starts give the VM the archive (-XX:SharedArchiveFile) once its
//     content has the marker's hash (a damaged one is recorded again
//     instead; hashing costs less than the VM's own check of its
//     checksums, -XX:+VerifySharedSpaces). Such a start rewrites the
//     marker at most once a day, so its time tells the last use; otherwise
//     it pays a read of the marker, a look at two files and the hash.
// A start whose user options (the project's, JDK_JAVA_OPTIONS, the options
// file) already decide sharing (isSharingOption) uses no cache: the user's
// -Xshare:off or archive wins.
// The VM's own messages about archives are switched off (-Xlog), and
// -Xshare:auto lets a VM that cannot use the archive start without it, so
// the program behaves the same with and without the cache.

#include <stdint.h>

#include "launcher/LaunchParameters.h"
#include "vmbind/CacheState.h"
#include "vmbind/JavaVersion.h"
#include "vmbind/Jdk12Options.h"
#include "vmbind/VmStartSteps.h"

// Whether a runtime of this version keeps a cache: Java 13 and newer.
bool keepsStartupCache(const JavaVersion& runtime);

// The VM options of `step` (Use: use the archive, Record: record the
// classes, Dump: make the archive from the recorded list) for the archive whose files' path without
// extension is `base` (no quote in it); the last ones switch the VM's
// messages about archives off.
List<Text> startupCacheOptions(CacheStep step, const JavaVersion& runtime, const Text& base);

// The hash that names an archive: of every option text, the runtime
// library's path, size and time, the runtime's version, and every
// class-path entry (`classPathText`, entries separated by the system's
// list separator) with the size and time of the file it names (a folder
// counts by its name alone: archives hold no classes from folders).
uint64_t startupCacheKey(const List<Text>& options, const Text& library, const JavaVersion& runtime,
                         const Text& classPathText);

// Whether this process only dumps an archive: the launcher started again
// by a recording start (the CASKIT_STARTUP_CACHE variable names the
// archive's files). Such a process shows no messages, opens no console and
// runs at a low priority.
bool startupCacheDump();

// Appends the cache's options to `options` as its last source, when the
// setting is on or this process dumps; `vmEntry` is JNI_CreateJavaVM of the
// loaded library. With diagnostics on, the log says what was chosen and
// why, and when an archive was made.
void addStartupCacheOptions(const LaunchParameters& parameters, const JavaVersion& runtime,
                            const Text& classPathText, const void* vmEntry, VmOptions& options);

// After the VM was created: a start that tried a new archive ends its
// trial.
void startupCacheStarted();

// The dumping process: creates the VM, which writes the archive and ends
// the process, unless another process holds the archive's lock or the
// archive has been made meanwhile; never runs main. -1 when the VM comes
// back.
int dumpStartupCache(CreateJavaVMFunction create, void* initArgs);
