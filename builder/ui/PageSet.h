#pragma once
// The pages of a project window and their tabs, for both project versions.

#include <windows.h>

#include <vector>

class Project;

// Creates the pages for the project's version (none for a version other
// than 1 or 2) inside `container`, with one tab each in `tabs`, in tab
// order. A page whose creation or tab fails is left out with its tab.
// Version and Icon pages only when `resourcePages` (platform code 0x30000).
std::vector<HWND> createPageSet(HWND tabs, HWND container, Project& project, bool resourcePages);
