#pragma once
// The process-wide diagnostic log: one line at a time, appended, the file
// beside the executable opened for each line and closed again. Every line is stored as three
// blanks + text + line end (CR LF on Windows, LF elsewhere), and every LF
// inside the text ends a line the same way.
//
// The launcher places it before its first line, as an absolute path:
// "Log.txt" beside the executable, so no change of the current folder
// splits the log. When that file cannot be opened at the first line (a
// read-only folder), the log goes to the user's temporary folder (TEMP on
// Windows, TMPDIR or /tmp elsewhere) as "<executable name>-Log.txt", and
// the first line it writes there says so. That folder is shared with other
// users: the file there is opened once and kept open for the run, never
// through a link, created private to the user, and taken only when it is
// a regular file of the user with one link; otherwise one line on standard
// error names it and why, and the run has no log. Once no file can be
// opened, or a write has failed, no later line of the run is written.
//
// The log does not look at `diagnosticsEnabled`: callers decide.

#include "platform/Files.h"
#include "platform/Text.h"

class DiagnosticLog {
public:
    DiagnosticLog() = default;
    DiagnosticLog(const DiagnosticLog&) = delete;
    DiagnosticLog& operator=(const DiagnosticLog&) = delete;

    // Fixes where the lines go (a log never placed writes "Log.txt" in the
    // current folder) and starts over: `fallbackPath` (empty: none) takes
    // the log when `path` cannot be opened at the next line.
    void place(const Text& path, const Text& fallbackPath);
    // Places the log beside the executable (`exeFolder` with its trailing
    // separator), with "<exeName>-Log.txt" in the temporary folder to fall
    // back on.
    void placeBeside(const Text& exeFolder, const Text& exeName);
    // Opens the log's file for appending (created when missing) unless one
    // is already attached; failing leaves the log failed for the run.
    void open();
    // Closes the file when one is attached.
    void close();
    // open(), then "   " + text + line end when good, close().
    void writeLine(const Text& text);

    // True until an opening or a write has failed.
    bool good() const { return !failed_; }
    bool isOpen() const { return file_.isOpen(); }
    // The file the lines go to.
    const Text& path() const { return path_; }

private:
    bool openAt(const Text& path, platform::File::Mode mode);

    platform::File file_;
    Text path_ = "Log.txt";
    Text fallbackPath_;
    bool failed_ = false;
    bool keepOpen_ = false;  // the temporary folder's file, held for the run
};

// The single log of the process.
DiagnosticLog& diagnosticLog();
