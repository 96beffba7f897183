#pragma once
// Check reporting and screenshot requests of the UI driver. Screenshots are
// taken outside Wine (import -window root) by the script that started the
// driver: the driver asks through a request file and waits for the answer.

#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/ui/Remote.h"

class Checks {
public:
    void open(const std::string& logPath, const std::string& shotFolder) {
        log_ = std::fopen(logPath.c_str(), "wb");
        shots_ = shotFolder;
    }
    bool check(bool ok, const std::string& what) {
        ++count_;
        if (!ok) ++failed_;
        note(std::string(ok ? "ok   " : "FAIL ") + what);
        return ok;
    }
    template <typename A, typename B>
    bool equal(const A& actual, const B& expected, const std::string& what) {
        bool ok = actual == expected;
        if (!ok) note("     expected [" + show(expected) + "] got [" + show(actual) + "]");
        return check(ok, what);
    }
    void note(const std::string& line) {
        if (log_) {
            std::fprintf(log_, "%s\n", line.c_str());
            std::fflush(log_);
        }
    }
    // Waits until every window has painted, asks for a screenshot NAME.png
    // and waits (up to 20 s) until the request has been answered.
    void screenshot(const std::string& name) {
        eventually([] { return !paintPending(); }, 5000);
        std::string request = shots_ + "\\" + name + ".req";
        std::string done = shots_ + "\\" + name + ".png";
        if (FILE* f = std::fopen(request.c_str(), "wb")) std::fclose(f);
        eventually([&] { return GetFileAttributesA(request.c_str()) == INVALID_FILE_ATTRIBUTES; });
        note("shot " + name + (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES ? "" : " (missing)"));
    }
    int failed() const { return failed_; }
    int count() const { return count_; }
    void finish() {
        note("RESULT " + std::string(failed_ ? "FAIL " : "PASS ") + std::to_string(failed_) + " of " +
             std::to_string(count_) + " checks failed");
        if (log_) std::fclose(log_);
        log_ = nullptr;
    }

private:
    // Whether a visible window (or one of its children) still has a part to paint.
    static BOOL CALLBACK findUnpainted(HWND window, LPARAM pending) {
        if (!IsWindowVisible(window) || !GetUpdateRect(window, nullptr, FALSE)) return TRUE;
        *reinterpret_cast<bool*>(pending) = true;
        return FALSE;
    }
    static BOOL CALLBACK findUnpaintedTree(HWND window, LPARAM pending) {
        if (!IsWindowVisible(window)) return TRUE;
        findUnpainted(window, pending);
        if (!*reinterpret_cast<bool*>(pending)) EnumChildWindows(window, findUnpainted, pending);
        return *reinterpret_cast<bool*>(pending) ? FALSE : TRUE;
    }
    static bool paintPending() {
        bool pending = false;
        EnumWindows(findUnpaintedTree, reinterpret_cast<LPARAM>(&pending));
        return pending;
    }

    static std::string show(const std::string& s) { return s; }
    static std::string show(const char* s) { return s; }
    template <typename T>
    static std::string show(const T& v) {
        return std::to_string(v);
    }
    std::FILE* log_ = nullptr;
    std::string shots_;
    int count_ = 0;
    int failed_ = 0;
};
