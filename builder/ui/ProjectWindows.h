#pragma once
// What the frame does with project windows: create, open (without
// duplicates), find the active one, and ask its page to verify or to name
// its help context.

#include <windows.h>

#include <string>

class ProjectWindow;

namespace projects {

constexpr int kFrameHelpContext = 10;

// The active MDI child when it is a project window, else null.
ProjectWindow* active();
// The open project window whose project file is `path` (letter case
// ignored, as Windows ignores it in file names).
HWND find(const std::string& path);
// A new, visible project window for project version 1 or 2.
bool createNew(int version);
// Opens `path` (empty: ask with the Open dialog); an already open file only
// brings its window to the top. True when a window shows the project.
bool open(const std::string& path);
// PAGE_VERIFY to the active window's visible page: true when it answers 1.
// False without an active window; a window without pages has nothing to
// verify and counts as verified.
bool verifyActivePage();
// GET_HELP_ID of the active window's visible page; 10 without one.
int activeHelpContext();

}  // namespace projects
