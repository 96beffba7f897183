#include "builder/ui/RelativePath.h"

#include <cstddef>

namespace {

// Every "/" turned into a backslash.
std::string withBackslashes(std::string text) {
    for (char& c : text) {
        if (c == '/') c = '\\';
    }
    return text;
}

// The text before the first backslash; false when there is none.
bool headBeforeBackslash(const std::string& text, std::string& head) {
    std::size_t pos = text.find('\\');
    if (pos == std::string::npos) return false;
    head = text.substr(0, pos);
    return true;
}

// Removes everything up to and including the first backslash (a text
// without one stays as it is).
void dropFirstComponent(std::string& text) {
    std::size_t pos = text.find('\\');
    if (pos != std::string::npos) text.erase(0, pos + 1);
}

std::string upLevels(const std::string& folder) {
    std::string out;
    for (char c : folder) {
        if (c == '\\') out += "..\\";
    }
    return out;
}

}  // namespace

std::string relativePath(const std::string& target, const std::string& base) {
    bool sameDrive = target.size() >= 2 && base.size() >= 2 && target[0] == base[0] && target[1] == ':' &&
                     base[1] == ':';
    if (!sameDrive) return target;  // another drive, another spelling, or a UNC path
    if (target == base) return ".";

    std::string rest = withBackslashes(target);
    if (rest.back() != '\\') rest += '\\';
    std::string baseRest = withBackslashes(base);

    // The loop walks both paths one component at a time while they agree;
    // `head` and `baseHead` are the components compared last.
    std::string head;
    std::string baseHead;
    std::string out;
    for (;;) {
        if (head != baseHead) {
            if (!rest.empty()) {
                out = baseRest.empty() ? ".\\" : upLevels(baseRest);
                out += rest;
            } else {
                out = upLevels(baseRest);
            }
            return out;
        }
        head = rest;
        baseHead = baseRest;
        std::string cut;
        if (headBeforeBackslash(head, cut)) {
            head = cut;
            if (headBeforeBackslash(baseHead, cut)) baseHead = cut;
        }
        if (head == baseHead) {
            dropFirstComponent(rest);
            dropFirstComponent(baseRest);
        }
        if (rest.empty() && baseRest.empty()) return out;
    }
}
