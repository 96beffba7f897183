#pragma once
// The running program's own file and resources.

#include "platform/Files.h"
#include "platform/Text.h"

namespace platform {

// Full path of the running executable in the system's 8-bit text (Linux:
// /proc/self/exe). On Windows the path is read in UTF-16 (any length) and
// given in the ANSI code page; when it holds characters the code page
// cannot represent, or is too long for the ANSI file calls, its short
// (8.3) form is given instead and `shortForm` is set. Empty on failure.
Text ownModulePath(bool* shortForm = nullptr);

// Full path of the running executable in UTF-8, exactly as the system
// holds it (Windows: from its UTF-16 form, whatever the code page; Linux:
// /proc/self/exe). Empty on failure.
Text ownModulePathUtf8();

// The file beside the running executable named like it, with `extension`
// in place of a final ".exe" (any case) or after a name without one
// (app.exe and app both give app.options), opened for reading whatever
// characters its path holds. `path` is its path in UTF-8; `missing` tells
// a file that does not exist from one that cannot be opened.
File openOwnCompanion(const char* extension, Text& path, bool& missing);

// `path` with `extension` in place of a final ".exe" (any case), or after
// it when it has none.
Text companionPath(const Text& path, const char* extension);

// The running executable's own file, opened for reading (others may read
// and write), whatever characters its path holds.
File openOwnExecutable();

// The arguments part of the program's command line as the system holds
// it (UTF-16 on Windows), as UTF-8: what follows the program name and the
// blanks after it, the way a GUI program's entry receives it. False where
// there is no such line: Windows 95 and 98 (whose wide calls fail), and
// Linux, whose programs take their arguments split (argv).
bool ownCommandLineArguments(Text& arguments);

#ifdef _WIN32
// The arguments part of the program's command line in the ANSI code page
// (GetCommandLineA): what follows the program name and the blanks after
// it. Null when the system gives no line.
const char* ownAnsiArguments();
#endif
// Starts the running program again, without arguments, with this
// process's environment and current folder, but no console and no standard
// streams of its own (Linux: the null device, and a session of its own),
// so that it outlives this process unnoticed. False when it could not be
// started.
bool startOwnProgram();

// Starts the running executable again with this process's command line
// (exactly as the system holds it), its environment as it is now, its
// current folder, standard streams and console, and waits for it to end.
// Its exit code; -1 when it could not be started. A process ended by a
// signal (Linux) gives 128 and the signal's number, as a shell reports it.
int runOwnProgramAgain();

// This process's id.
unsigned long ownProcessId();

// Lowers this process's scheduling priority, for work that nobody waits
// for.
void lowerOwnPriority();

// Bytes of the running executable's resource of numeric type `type` and id
// `id` (any language); false when there is none. A Linux program has no
// resources of its own: for the mode marker (1000/1) it answers "standard",
// for everything else nothing, so a Linux launcher reads its trailer.
bool ownResource(unsigned type, unsigned id, Text& bytes);

// The bytes of the running executable's resource of numeric type `type`
// and id `id` where the module keeps them mapped, for its whole life; null
// when there is none (always on Linux).
const char* ownResourceBytes(unsigned type, unsigned id, size_t& size);

}  // namespace platform
