#pragma once
// The pages of a project window: modeless dialogs created hidden inside the
// page container, with the Project as creation parameter. Each creator
// returns the page window or null.

#include <windows.h>

class Project;

HWND createCommandPage(HWND container, Project* project, int dialogId);  // 105 or 122
HWND createClassPathPage(HWND container, Project* project);              // 106
HWND createPropertiesPage(HWND container, Project* project);             // 108
HWND createEnvironmentPage(HWND container, Project* project);            // 107
HWND createAdvancedPage(HWND container, Project* project, int dialogId); // 109 or 125
HWND createHeapPage(HWND container, Project* project, int dialogId);     // 123 or 124
HWND createRuntimePage(HWND container, Project* project);                // 126, JDK 2.0 only
HWND createVersionPage(HWND container, Project* project);                // 101
HWND createIconPage(HWND container, Project* project);                   // 102
