#pragma once
// Everything a launcher stub needs to start the Java VM, filled from
// defaults, the command line and the stored parameter block, in that order.

#include <string>
#include <vector>

enum class ClassPathMode { Append = 0, Prepend = 1, Ignore = 2 };
enum class VerifyMode { None = 0, Remote = 1, All = 2 };

// How a "properties" line is stored: as written (JDK 1.1 stub) or with
// "-D" in front, a complete VM option (JDK 1.2 stub).
enum class PropertyStyle { Plain, Option };

class LaunchParameters {
public:
    explicit LaunchParameters(PropertyStyle style = PropertyStyle::Plain) : propertyStyle_(style) {}

    // F12 check, the command-line log line, command-line tokens into
    // `arguments`, `exeFolder` and `exeName`.
    void parseCommandLine(const std::string& commandLine);
    // Chooses the block source by the mode marker, reads it, parses it.
    void loadParameters();
    // Applies every record of a block, then merges the system class path.
    void parseBlock(const std::string& text);
    // Writes the object to the diagnostic log (JDK 1.1 stub only).
    void dumpParameters() const;

    bool diagnosticsEnabled = false;
    std::string exeFolder;
    std::string exeName;
    std::string binaryPath;
    std::string mainClass;
    std::vector<std::string> arguments;
    std::vector<std::string> properties;
    std::vector<std::string> classPath;
    ClassPathMode classPathMode = ClassPathMode::Append;
    std::string minHeap = "1024";
    std::string maxHeap = "16384";
    std::string nativeStackSize = "128";
    std::string javaStackSize = "400";
    bool classGcEnabled = true;
    VerifyMode verifyMode = VerifyMode::None;
    bool asyncGcDisabled = false;
    bool jitDisabled = false;
    bool consoleWindow = false;
    bool routeConsole = false;

private:
    PropertyStyle propertyStyle_;
};

// Removes the next token from the front of `text` and returns it: blanks
// (spaces only) are skipped; a double-quoted token runs to the next quote.
// `found` is set to false when only blanks remained (end of the list), so
// an empty quoted token ("") is an empty argument, not the end.
std::string nextArgument(std::string& text, bool* found = nullptr);

// Every token of `text`, in order: nextArgument until only blanks remain.
std::vector<std::string> splitArguments(std::string text);

// Splits the running executable's path into folder (with its trailing
// separator) and file name; both empty when the path has no separator.
void splitModulePath(std::string& folder, std::string& name);

// Copies resource type 1000 with this id out of the running executable
// into `buffer`; returns its size, 0 when missing or empty.
std::size_t loadParameterResource(unsigned id, std::string& buffer);
