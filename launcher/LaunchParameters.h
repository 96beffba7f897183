#pragma once
// Everything a launcher stub needs to start the Java VM, filled from
// defaults, the command line and the stored parameter block, in that order.

#include <stdint.h>

#include "platform/List.h"
#include "platform/Text.h"

enum class ClassPathMode { Append = 0, Prepend = 1, Ignore = 2 };
enum class VerifyMode { None = 0, Remote = 1, All = 2 };

// How a "properties" line is stored: as written (JDK 1.1 stub) or with
// "-D" in front, a complete VM option (JDK 1.2 stub).
enum class PropertyStyle { Plain, Option };

class LaunchParameters {
public:
    explicit LaunchParameters(PropertyStyle style = PropertyStyle::Plain) : propertyStyle_(style) {}

    // F12 check, `exeFolder` and `exeName` (where the log is placed), the
    // command-line log line, command-line tokens into `arguments`.
    void parseCommandLine(const Text& commandLine);
    // The same for a command line the system has already split: `logText`
    // is written to the log, `tokens` become the first arguments as they are.
    void parseCommandLine(const Text& logText, List<Text> tokens);
    // Chooses the block source by the mode marker, reads it, parses it.
    void loadParameters();
    // Applies every record of a block, then merges the system class path.
    void parseBlock(const Text& text);
    // Writes the object to the diagnostic log (JDK 1.1 stub only).
    void dumpParameters() const;

    bool diagnosticsEnabled = false;
    Text exeFolder;  // absolute, with its trailing separator: files beside the executable
    Text exeName;
    Text binaryPath;
    Text mainClass;
    List<Text> arguments;  // UTF-8, as they reach main
    List<Text> properties;
    List<Text> classPath;
    ClassPathMode classPathMode = ClassPathMode::Append;
    Text minHeap = "1024";
    Text maxHeap = "16384";
    Text nativeStackSize = "128";
    Text javaStackSize = "400";
    bool classGcEnabled = true;
    VerifyMode verifyMode = VerifyMode::None;
    bool asyncGcDisabled = false;
    bool jitDisabled = false;
    bool consoleWindow = false;
    bool routeConsole = false;
    // Beyond the settings above; a block without their keywords leaves
    // them at these defaults, which start the VM as before.
    List<Text> jvmOptions;    // "jvmoptions": complete VM options, expanded
    Text javaMinVersion;      // "javamin": lowest version allowed, or empty
    Text javaMaxVersion;      // "javamax": highest version allowed, or empty
    Text downloadUrl;         // "downloadurl": offered when no runtime is found
    bool startupCache = false;  // "startupcache"
    bool callerFolder = false;  // "workingfolder" caller: the current folder stays
    Text runtimeHeap;           // "runtimeheap": 1 no -Xms, 2 no -Xmx, 3 neither (JDK 1.2 start)
    bool embeddedJar = false;   // "embeddedjar": the executable holds the program's jar
    int restartExitCode = 0;    // "restartexitcode": System.exit(this) restarts the program; 0 never
    bool singleInstance = false;  // "singleinstance": a later start hands over to the first
    Text instanceId;              // "instanceid": the instance's name; empty: the executable's path
    Text instanceHandler;         // "instancehandler": CLASS.METHOD taking hand-overs, or empty
    // "splashimage": the splash image's `splashLength` bytes, at
    // `splashOffset` in the executable's file, or in its resource 1000/3
    // when the offset is 0; no image when the length is 0.
    uint64_t splashOffset = 0;
    uint32_t splashLength = 0;
    unsigned splashTimeout = 0;   // "splashtimeout": seconds until the splash closes; 0 the first window

private:
    PropertyStyle propertyStyle_;
};

// Removes the next token from the front of `text` and returns it: blanks
// (spaces only) are skipped; a double-quoted token runs to the next quote.
// `found` is set to false when only blanks remained (end of the list), so
// an empty quoted token ("") is an empty argument, not the end.
Text nextArgument(Text& text, bool* found = nullptr);

// Every token of `text`, in order: nextArgument until only blanks remain.
List<Text> splitArguments(Text text);

// Splits the running executable's path into folder (with its trailing
// separator) and file name; both empty when the path has no separator.
void splitModulePath(Text& folder, Text& name);

// Copies resource type 1000 with this id out of the running executable
// into `buffer`; returns its size, 0 when missing or empty.
size_t loadParameterResource(unsigned id, Text& buffer);
// The bytes of resource type 1000 with this id where the executable keeps
// them mapped for its whole life; null when missing (always on Linux).
const char* mappedParameterResource(unsigned id, size_t& size);
