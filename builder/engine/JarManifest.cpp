// Reads the sections of a jar manifest with Java's rules: a header is a
// name of letters, digits, "-" and "_" (at most 70), a colon and a blank,
// then the value; a line is at most 512 bytes with its ending; a line that
// begins with a blank continues the previous value; the sections after the
// main one each begin with a "Name" header. Names compare without regard
// to case.
#include "builder/engine/JarManifest.h"

#include <cctype>

namespace {

constexpr std::size_t kMaxLineBytes = 512;
constexpr std::size_t kMaxNameSize = 70;

bool isNameCharacter(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '_';
}

bool sameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

class LineSource {
public:
    explicit LineSource(const std::string& text) : text_(text) {}

    // The next line without its ending; false at the end. `tooLong` is set
    // when the line with its ending exceeds the limit.
    bool next(std::string& line, bool& tooLong) {
        if (pos_ >= text_.size()) return false;
        const std::size_t start = pos_;
        std::size_t end = text_.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text_.size();
        pos_ = end;
        // CR LF, LF or CR.
        if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        line.assign(text_, start, end - start);
        tooLong = pos_ - start > kMaxLineBytes;
        ++number_;
        return true;
    }
    bool nextIsContinuation() const { return pos_ < text_.size() && text_[pos_] == ' '; }
    unsigned number() const { return number_; }

private:
    const std::string& text_;
    std::size_t pos_ = 0;
    unsigned number_ = 0;
};

std::string at(unsigned line) { return " (line " + std::to_string(line) + ")"; }

// One header: its name and value, with continuation lines joined. False
// with the reason when the line is not a header.
bool readHeader(LineSource& lines, const std::string& first, std::string& name, std::string& value,
                std::string& error) {
    const std::size_t colon = first.find(':');
    if (colon == std::string::npos || colon + 1 >= first.size() || first[colon + 1] != ' ') {
        error = "a line is not a header \"Name: value\"" + at(lines.number());
        return false;
    }
    name = first.substr(0, colon);
    if (name.empty() || name.size() > kMaxNameSize) {
        error = "a header name is empty or longer than 70 characters" + at(lines.number());
        return false;
    }
    for (char c : name) {
        if (!isNameCharacter(static_cast<unsigned char>(c))) {
            error = "the header name \"" + name + "\" holds a character other than letters, digits, - and _" +
                    at(lines.number());
            return false;
        }
    }
    value = first.substr(colon + 2);
    std::string line;
    bool tooLong = false;
    while (lines.nextIsContinuation()) {
        lines.next(line, tooLong);
        if (tooLong) {
            error = "a line is longer than 512 bytes" + at(lines.number());
            return false;
        }
        value += line.substr(1);
    }
    return true;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool manifestMainClass(const std::string& manifest, std::string& mainClass, std::string& error) {
    mainClass.clear();
    LineSource lines(manifest);
    std::string line, name, value;
    bool tooLong = false;
    bool mainSection = true;
    bool sectionStart = true;  // the next header begins a section
    while (lines.next(line, tooLong)) {
        if (tooLong) {
            error = "a line is longer than 512 bytes" + at(lines.number());
            return false;
        }
        if (line.empty()) {
            mainSection = false;
            sectionStart = true;
            continue;
        }
        if (line[0] == ' ') {
            error = "a continuation line follows no header" + at(lines.number());
            return false;
        }
        if (!readHeader(lines, line, name, value, error)) return false;
        if (!mainSection && sectionStart && !sameName(name, "Name")) {
            error = "a section after the main one does not begin with a Name header" + at(lines.number());
            return false;
        }
        sectionStart = false;
        if (mainSection && sameName(name, "Main-Class")) mainClass = trimmed(value);
    }
    return true;
}
