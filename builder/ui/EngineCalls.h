#pragma once
// The engine's entry points as the user interface calls them: every
// exception of the engine (the XException family, or any standard
// exception) is caught here, shown to the user, and turned into failure,
// so none ever reaches a window procedure.

#include <windows.h>

#include <string>

class BoxReporter;
class Project;

// Saving asks for a file name with the Save dialog when a modified project
// has none; opening with an empty path asks with the Open dialog.
bool saveProjectSafely(Project& project, HWND owner);
bool openProjectSafely(Project& project, HWND owner, const std::string& path);
// The builder's compile of the project (its own stubs, into the exe
// folder); errors are shown in `boxes`, notes are left there.
bool compileSafely(const Project& project, BoxReporter& boxes);
