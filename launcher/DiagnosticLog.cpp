// The diagnostic log "Log.txt". Lines are stored with CR LF line ends on
// every system, the way a text-mode stream writes them on Windows.
#include "launcher/DiagnosticLog.h"

#include <new>

void DiagnosticLog::open() {
    if (isOpen_ || failed_) return;
    // A relative name: resolved against the current directory of this moment.
    file_ = platform::File::open("Log.txt", platform::File::Mode::Append);
    if (!file_.isOpen()) {
        failed_ = true;
        return;
    }
    isOpen_ = true;
}

void DiagnosticLog::close() {
    if (!isOpen_) return;
    isOpen_ = false;
    if (!file_.close()) failed_ = true;
}

// "   " + text + LF, with every LF stored as CR LF.
static Text logRecord(const Text& text) {
    Text record = "   ";
    record.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\n') record += '\r';
        record += c;
    }
    record += "\r\n";
    return record;
}

void DiagnosticLog::writeLine(const Text& text) {
    open();
    if (isOpen_ && !failed_) {
        // The file is unbuffered: a completed write has reached the system,
        // so nothing is left to flush. A write that fails (a full disk)
        // fails the log like an opening.
        if (!file_.write(logRecord(text))) failed_ = true;
    }
    close();
}

// Built in place on first use and never destroyed: lines may be written
// until the process ends.
DiagnosticLog& diagnosticLog() {
    alignas(DiagnosticLog) static unsigned char storage[sizeof(DiagnosticLog)];
    static DiagnosticLog* log = nullptr;
    if (!log) log = new (storage) DiagnosticLog();
    return *log;
}
