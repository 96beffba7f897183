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

char foldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string upLevels(const std::string& folder) {
    std::string out;
    for (char c : folder) {
        if (c == '\\') out += "..\\";
    }
    return out;
}

}  // namespace

bool samePathText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    }
    return true;
}

std::string relativePath(const std::string& target, const std::string& base) {
    bool sameDrive = target.size() >= 2 && base.size() >= 2 && foldCase(target[0]) == foldCase(base[0]) &&
                     target[1] == ':' && base[1] == ':';
    if (!sameDrive) return target;  // another drive or a UNC path
    if (samePathText(target, base)) return ".";

    std::string rest = withBackslashes(target);
    if (rest.back() != '\\') rest += '\\';
    std::string baseRest = withBackslashes(base);

    // The loop walks both paths one component at a time while they agree;
    // `head` and `baseHead` are the components compared last.
    std::string head;
    std::string baseHead;
    std::string out;
    for (;;) {
        if (!samePathText(head, baseHead)) {
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
        if (samePathText(head, baseHead)) {
            dropFirstComponent(rest);
            dropFirstComponent(baseRest);
        }
        if (rest.empty() && baseRest.empty()) return out;
    }
}

namespace {

bool isAbsolute(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

// Length of the root of an absolute folder ("C:\" or "\\server\share\"):
// ".." never climbs above it.
std::size_t rootLength(const std::string& folder) {
    if (folder.size() >= 2 && folder[1] == ':') return folder.size() >= 3 ? 3 : 2;
    if (folder.rfind("\\\\", 0) == 0) {
        std::size_t server = folder.find('\\', 2);
        std::size_t share = server == std::string::npos ? std::string::npos : folder.find('\\', server + 1);
        return share == std::string::npos ? folder.size() : share + 1;
    }
    return folder.empty() ? 0 : 1;
}

}  // namespace

std::string folderOfFile(const std::string& path, const std::string& baseFolder) {
    std::string file = withBackslashes(path);
    std::size_t slash = file.rfind('\\');
    std::string folder = slash == std::string::npos ? std::string() : file.substr(0, slash);
    if (isAbsolute(file) || baseFolder.empty()) return folder;
    if (file.empty()) return std::string();

    std::string out = withBackslashes(baseFolder);
    if (out.back() != '\\') out += '\\';
    const std::size_t root = rootLength(out);
    std::size_t start = 0;
    while (start <= folder.size() && !folder.empty()) {
        std::size_t end = folder.find('\\', start);
        if (end == std::string::npos) end = folder.size();
        std::string part = folder.substr(start, end - start);
        if (part == "..") {
            if (out.size() > root) {
                std::size_t cut = out.rfind('\\', out.size() - 2);
                out.erase(cut == std::string::npos || cut + 1 < root ? root : cut + 1);
            }
        } else if (!part.empty() && part != ".") {
            out += part + "\\";
        }
        start = end + 1;
    }
    if (out.size() > root) out.pop_back();  // no final backslash, but "C:\" stays a root
    return out;
}
