#pragma once
// Process-wide state of the builder's frame and the status-bar operations
// offered to project windows.

#include <windows.h>

#include <string>

namespace frame {

struct State {
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HWND mdiClient = nullptr;
    HWND toolbar = nullptr;
    HWND statusBar = nullptr;
};

State& state();

// Part 0: the activity ("Ready", "Saving <name>", "Compiling <name>").
void setStatusText(const std::string& text);
void setStatusReady();
// Part 1: "JDK 1.1.x Project", "JDK 2.0 Project", or empty for anything else.
void setStatusVersion(int projectVersion);
// The text part 1 shows for a project version.
const char* versionStatusText(int projectVersion);

}  // namespace frame
