#pragma once
// Files for the icon tests (POSIX): a private temporary folder and a
// recorder for message boxes; the file contents come from TestFileBytes.h.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/icons/TestFileBytes.h"
#include "platform/MessageBox.h"

namespace testfiles {

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/caskit-icons-XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made ? made : "/tmp";
    }
    ~TempFolder() {
        for (const std::string& f : files_) std::remove(f.c_str());
        rmdir(path_.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string write(const std::string& name, const std::string& bytes) {
        const std::string p = path_ + "/" + name;
        if (FILE* f = std::fopen(p.c_str(), "wb")) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
        files_.push_back(p);
        return p;
    }
    std::string pathOf(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
    std::vector<std::string> files_;
};

struct Message {
    std::string text, caption;
    unsigned style;
    bool ownerless;
};

// Records every message box while it lives.
class MessageRecorder {
public:
    MessageRecorder() {
        previous_ = platform::setMessageHook([this](platform::WindowRef owner, const std::string& text,
                                                    const std::string& caption, unsigned style) {
            messages.push_back({text, caption, style, owner == nullptr});
            return platform::kIdOk;
        });
    }
    ~MessageRecorder() { platform::setMessageHook(previous_); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<Message> messages;

private:
    platform::MessageHook previous_;
};

}  // namespace testfiles
