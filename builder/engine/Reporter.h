#pragma once
// What the engine has to say, and how it says it. The engine shows
// nothing: each entry point that can fail takes a Reporter and tells it
// every notice, with its severity and the caption the builder's message
// box carries; the builder shows boxes, caskit prints lines, a test keeps
// them.
//
// One error style in the engine:
// - An entry point (compile, saving and opening a project, loading an
//   icon slot) returns bool or a result value and reports each failure
//   once, through the Reporter it is given, or in its result.
// - Below the entry points a function that can fail returns bool (or
//   std::optional for a value) and gives the reason in a trailing
//   `std::string& error` out-parameter; its caller reports it.
// - Nothing is thrown on purpose. The icon-file reader and the two
//   resource builders (IconResources, VersionInfoBuilder) still raise
//   XException; the entry points catch it, and std::bad_alloc, and report
//   them like any failure.

#include <string>

enum class Severity {
    Error,    // the work failed: the builder shows a warning box
    Warning,  // the work goes on, but the user should know: an information box
    Note,     // what the work took on its own (the main class of a jar): status text
};

struct Notice {
    Severity severity = Severity::Error;
    std::string caption;  // the message box's caption
    std::string text;
    // The file a notice is about when the work could not read it (an icon
    // slot's bitmap): the builder shows such a notice in a plain box
    // without owner, captioned with the file's path.
    std::string subject;
};

class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void report(const Notice& notice) = 0;

    void error(const std::string& caption, const std::string& text) { report({Severity::Error, caption, text, {}}); }
    void warning(const std::string& caption, const std::string& text) {
        report({Severity::Warning, caption, text, {}});
    }
    void note(const std::string& caption, const std::string& text) { report({Severity::Note, caption, text, {}}); }
};
