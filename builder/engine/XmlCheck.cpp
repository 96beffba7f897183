// A single pass over the document with a stack of open element names: no
// recursion, so nesting depth costs memory only, bounded by the document.
#include "builder/engine/XmlCheck.h"

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

namespace {

bool isNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}
bool isNameCharacter(unsigned char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
bool isBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Code points XML allows in a document.
bool isXmlCharacter(std::uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// The length of the UTF-8 sequence at `i` and its code point; 0 when it is
// not a valid, shortest-form sequence.
std::size_t utf8Sequence(const std::string& s, std::size_t i, std::uint32_t& c) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    std::size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (n == 0 || n > s.size() - i) return 0;
    c = n == 1 ? b : b & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        const unsigned char next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        c = (c << 6) | (next & 0x3F);
    }
    static const std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    return c < kSmallest[n] ? 0 : n;
}

class Checker {
public:
    explicit Checker(const std::string& text) : s_(text) {}

    std::optional<std::string> run() {
        if (s_.compare(0, 2, "\xFF\xFE") == 0 || s_.compare(0, 2, "\xFE\xFF") == 0)
            return fail("the document is in UTF-16; write it in UTF-8");
        if (s_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
        if (std::optional<std::string> bad = checkCharacters()) return bad;
        if (startsWith("<?xml") && pos_ + 5 < s_.size() && isBlank(byte(pos_ + 5)) && !processingInstruction(true))
            return error_;
        if (!misc()) return error_;
        if (pos_ >= s_.size() || byte(pos_) != '<') return fail("the document has no root element");
        if (!elements()) return error_;
        if (!misc()) return error_;
        if (pos_ < s_.size()) return fail("only comments and processing instructions may follow the root element");
        return std::nullopt;
    }

private:
    unsigned char byte(std::size_t i) const { return static_cast<unsigned char>(s_[i]); }
    bool startsWith(const char* text) const { return s_.compare(pos_, std::strlen(text), text) == 0; }

    std::string fail(const std::string& what) {
        unsigned line = 1;
        for (std::size_t i = 0; i < pos_ && i < s_.size(); ++i)
            if (s_[i] == '\n') ++line;
        error_ = "line " + std::to_string(line) + ": " + what;
        return error_;
    }
    bool failed(const std::string& what) {
        fail(what);
        return false;
    }

    std::optional<std::string> checkCharacters() {
        const std::size_t start = pos_;
        for (std::size_t i = pos_; i < s_.size();) {
            std::uint32_t c = 0;
            const std::size_t n = utf8Sequence(s_, i, c);
            if (n == 0 || !isXmlCharacter(c)) {
                pos_ = i;
                return fail(n == 0 ? "a byte sequence that is not UTF-8" : "a character XML does not allow");
            }
            i += n;
        }
        pos_ = start;
        return std::nullopt;
    }

    void skipBlanks() {
        while (pos_ < s_.size() && isBlank(byte(pos_))) ++pos_;
    }

    bool name(std::string& out) {
        const std::size_t start = pos_;
        if (pos_ >= s_.size() || !isNameStart(byte(pos_))) return failed("a name is expected");
        while (pos_ < s_.size() && isNameCharacter(byte(pos_))) ++pos_;
        out.assign(s_, start, pos_ - start);
        return true;
    }

    // Runs to `end` (included); false when the document ends first.
    bool skipPast(const char* end, const char* what) {
        const std::size_t found = s_.find(end, pos_);
        if (found == std::string::npos) return failed(std::string(what) + " is not closed");
        pos_ = found + std::strlen(end);
        return true;
    }

    bool comment() {
        pos_ += 4;  // "<!--"
        const std::size_t end = s_.find("--", pos_);
        if (end == std::string::npos) return failed("a comment is not closed");
        pos_ = end;
        if (!startsWith("-->")) return failed("\"--\" inside a comment");
        pos_ += 3;
        return true;
    }

    bool processingInstruction(bool declaration) {
        pos_ += 2;  // "<?"
        std::string target;
        if (!name(target)) return false;
        std::string lower = target;
        for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        if (lower == "xml" && !declaration) return failed("an XML declaration that is not at the very start");
        return skipPast("?>", "a processing instruction");
    }

    // Comments, processing instructions and blanks.
    bool misc() {
        for (;;) {
            skipBlanks();
            if (startsWith("<!--")) {
                if (!comment()) return false;
            } else if (startsWith("<?")) {
                if (!processingInstruction(false)) return false;
            } else if (startsWith("<!DOCTYPE")) {
                return failed("a document type declaration, which an application manifest does not use");
            } else {
                return true;
            }
        }
    }

    bool reference() {
        ++pos_;  // "&"
        const std::size_t end = s_.find(';', pos_);
        if (end == std::string::npos || end - pos_ > 16) return failed("a \"&\" that begins no reference");
        const std::string body = s_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (body == "amp" || body == "lt" || body == "gt" || body == "quot" || body == "apos") return true;
        if (body.size() >= 2 && body[0] == '#') {
            const bool hex = body[1] == 'x';
            const std::string digits = body.substr(hex ? 2 : 1);
            if (digits.empty() || digits.size() > 8) return failed("the character reference &" + body + "; is invalid");
            std::uint32_t value = 0;
            for (char d : digits) {
                int v = d >= '0' && d <= '9' ? d - '0' : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                                                   : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10 : -1;
                if (v < 0) return failed("the character reference &" + body + "; is invalid");
                value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
            }
            if (!isXmlCharacter(value)) return failed("the character reference &" + body + "; names no XML character");
            return true;
        }
        return failed("the entity &" + body + "; is not defined");
    }

    bool attributeValue() {
        if (pos_ >= s_.size() || (byte(pos_) != '"' && byte(pos_) != '\''))
            return failed("an attribute value is not in quotes");
        const char quote = s_[pos_++];
        while (pos_ < s_.size() && s_[pos_] != quote) {
            if (s_[pos_] == '<') return failed("\"<\" inside an attribute value");
            if (s_[pos_] == '&') {
                if (!reference()) return false;
            } else {
                ++pos_;
            }
        }
        if (pos_ >= s_.size()) return failed("an attribute value is not closed");
        ++pos_;
        return true;
    }

    // A start tag after "<"; `empty` tells whether it closed itself.
    bool startTag(std::string& element, bool& empty) {
        if (!name(element)) return false;
        std::set<std::string> seen;
        for (;;) {
            const std::size_t before = pos_;
            skipBlanks();
            if (startsWith("/>") || startsWith(">")) {
                empty = byte(pos_) == '/';
                pos_ += empty ? 2 : 1;
                return true;
            }
            if (pos_ >= s_.size()) return failed("the start tag of <" + element + "> is not closed");
            if (pos_ == before) return failed("attributes of <" + element + "> must be separated by blanks");
            std::string attribute;
            if (!name(attribute)) return false;
            if (!seen.insert(attribute).second)
                return failed("the attribute " + attribute + " appears twice in <" + element + ">");
            skipBlanks();
            if (pos_ >= s_.size() || s_[pos_] != '=') return failed("the attribute " + attribute + " has no value");
            ++pos_;
            skipBlanks();
            if (!attributeValue()) return false;
        }
    }

    // The root element and everything inside it.
    bool elements() {
        if (startsWith("<!") || startsWith("</")) return failed("the document has no root element");
        std::vector<std::string> open;
        do {
            if (pos_ >= s_.size()) return failed("the document ends inside <" + open.back() + ">");
            if (startsWith("<!--")) {
                if (!comment()) return false;
            } else if (startsWith("<![CDATA[")) {
                if (!skipPast("]]>", "a CDATA section")) return false;
            } else if (startsWith("<?")) {
                if (!processingInstruction(false)) return false;
            } else if (startsWith("</")) {
                pos_ += 2;
                std::string element;
                if (!name(element)) return false;
                skipBlanks();
                if (pos_ >= s_.size() || s_[pos_] != '>') return failed("the end tag </" + element + "> is not closed");
                ++pos_;
                if (open.empty() || open.back() != element)
                    return failed("</" + element + "> does not close " +
                                  (open.empty() ? std::string("any element") : "<" + open.back() + ">"));
                open.pop_back();
            } else if (startsWith("<")) {
                if (startsWith("<!")) return failed("markup that XML content does not allow");
                ++pos_;
                std::string element;
                bool empty = false;
                if (!startTag(element, empty)) return false;
                if (!empty) open.push_back(element);
            } else if (startsWith("&")) {
                if (!reference()) return false;
            } else if (startsWith("]]>")) {
                return failed("\"]]>\" outside a CDATA section");
            } else {
                ++pos_;
            }
        } while (!open.empty());
        return true;
    }

    const std::string& s_;
    std::size_t pos_ = 0;
    std::string error_;
};

}  // namespace

std::optional<std::string> xmlProblem(const std::string& document) { return Checker(document).run(); }
