// The diagnostic log: Log.txt beside the executable, or the temporary
// folder when that cannot be written.
#include "launcher/DiagnosticLog.h"

#include <new>

#include "platform/Console.h"
#include "platform/Environment.h"
#include "platform/PathSeparator.h"

namespace {

#ifdef _WIN32
const char kLineEnd[] = "\r\n";
#else
const char kLineEnd[] = "\n";
#endif

// "   " + text + a line end, with every LF inside stored as a line end.
Text logRecord(const Text& text) {
    Text record = "   ";
    record.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\n') record += kLineEnd;
        else record += c;
    }
    record += kLineEnd;
    return record;
}

}  // namespace

void DiagnosticLog::place(const Text& path, const Text& fallbackPath) {
    close();
    path_ = path;
    fallbackPath_ = fallbackPath;
    failed_ = false;
    keepOpen_ = false;
}

void DiagnosticLog::placeBeside(const Text& exeFolder, const Text& exeName) {
    Text temp;
#ifdef _WIN32
    platform::startupVariable("TEMP", temp);
#else
    if (!platform::startupVariable("TMPDIR", temp) || temp.empty()) temp = "/tmp";
#endif
    if (!temp.empty() && !platform::isPathSeparator(temp.back())) temp += platform::kPathSeparator;
    place(exeFolder + "Log.txt", temp.empty() ? Text() : temp + exeName + "-Log.txt");
}

bool DiagnosticLog::openAt(const Text& path, platform::File::Mode mode) {
    file_ = platform::File::open(path.c_str(), mode);
    return file_.isOpen();
}

void DiagnosticLog::open() {
    if (file_.isOpen() || failed_) return;
    if (openAt(path_, platform::File::Mode::Append)) {
        fallbackPath_.clear();  // the place of the first line stays
    } else if (fallbackPath_.empty()) {
        failed_ = true;
    } else if (openAt(fallbackPath_, platform::File::Mode::AppendPrivate)) {
        // Opened once, and kept: the name is never looked up again.
        keepOpen_ = true;
        Text note = "#";
        note += path_;
        note += " cannot be written; this log is ";
        note += fallbackPath_;
        path_ = static_cast<Text&&>(fallbackPath_);
        fallbackPath_.clear();
        if (!file_.write(logRecord(note))) failed_ = true;
    } else {
        failed_ = true;
        const char* problem = platform::lastOpenProblem();
        Text line = "no diagnostic log: ";
        line += fallbackPath_;
        line += ": ";
        line += problem;
        platform::writeErrorLine(line.c_str());
    }
}

void DiagnosticLog::close() {
    if (!file_.isOpen()) return;
    if (!file_.close()) failed_ = true;
}

void DiagnosticLog::writeLine(const Text& text) {
    open();
    if (file_.isOpen() && !failed_) {
        // The file is unbuffered: a completed write has reached the system,
        // so nothing is left to flush. A write that fails (a full disk)
        // fails the log like an opening.
        if (!file_.write(logRecord(text))) failed_ = true;
    }
    if (!keepOpen_) close();
}

// Built in place on first use and never destroyed: lines may be written
// until the process ends.
DiagnosticLog& diagnosticLog() {
    alignas(DiagnosticLog) static unsigned char storage[sizeof(DiagnosticLog)];
    static DiagnosticLog* log = nullptr;
    if (!log) log = new (storage) DiagnosticLog();
    return *log;
}
