#pragma once
// The start-up cache ("startupcache"): the classes a program loads at
// start, parsed and linked by the VM into an archive that later starts map
// instead of loading them again (class-data sharing; from Java 24 on the
// classes are also linked ahead of time).
//
// One archive per user, executable, runtime and class path, in
// $XDG_CACHE_HOME/caskit (~/.cache/caskit) or %LOCALAPPDATA%\Caskit\cache.
// An archive's key is a hash of everything it depends on (the VM options
// with the class path, the runtime library, its version, and the stamp of
// every file on the class path: size, times to the nanosecond, identity),
// so a changed program or runtime gets a new archive. Its files are named by the hash of the executable's
// path and one of four slots chosen by the key (an executable keeps at
// most four archives; a new one replaces the one in its slot):
//   <name>.m    marker: the key, then nothing after the first start, a
//               "+" for each recording since, and once the archive is made
//               its size in hexadecimal; a marker of another key counts
//               as none
//   <name>.lst  the classes a recording start loaded
//   <name>.new  the archive as the dumping process wrote it
//   <name>.jsa  the archive, used while its size is the marker's
//   <name>.lck  locked by the process that changes the others: a
//               recording start while it runs, then the dumping process
// The marker is written under a name with the process id after it and
// renamed into place; the archive is written under another name and
// renamed once the VM has finished it; so starts at the same moment never
// see half a file.
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
//     place; after three recordings that made nothing, no more are made;
//   later starts give the VM the archive (-XX:SharedArchiveFile).
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

// The dumping process: creates the VM, which writes the archive and ends
// the process, unless another process holds the archive's lock or the
// archive has been made meanwhile; never runs main. -1 when the VM comes
// back.
int dumpStartupCache(CreateJavaVMFunction create, void* initArgs);
