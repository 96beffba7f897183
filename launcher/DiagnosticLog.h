#pragma once
// The process-wide diagnostic log "Log.txt": one line at a time, appended,
// the file opened for each line and closed again. Every line is stored as
// three blanks + text + CR LF, and every LF inside the text is stored as
// CR LF too. Once an opening has failed, no later line of the run is
// written, even after the current directory has changed.
//
// The log does not look at `diagnosticsEnabled`: callers decide.

#include "platform/Files.h"
#include "platform/Text.h"

class DiagnosticLog {
public:
    DiagnosticLog() = default;
    DiagnosticLog(const DiagnosticLog&) = delete;
    DiagnosticLog& operator=(const DiagnosticLog&) = delete;

    // Opens "Log.txt" in the current directory for appending (created when
    // missing) unless a file is already attached; a failed opening leaves
    // the log failed for the rest of the run.
    void open();
    // Closes the file when one is attached.
    void close();
    // open(), then "   " + text + line end and a flush when good, close().
    void writeLine(const Text& text);

    // True until an opening or a write has failed.
    bool good() const { return !failed_; }
    bool isOpen() const { return isOpen_; }

private:
    platform::File file_;
    bool isOpen_ = false;
    bool failed_ = false;
};

// The single log of the process.
DiagnosticLog& diagnosticLog();
