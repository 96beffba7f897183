#pragma once
// Help where Windows Help cannot show Caskit.hlp (Windows Vista and later
// have no WinHelp): the user guide Caskit.html beside Caskit2.exe, opened
// with the default browser at the section of a help context.

#include <windows.h>

#include <string>

// The guide's file name beside the builder.
constexpr const char* kUserGuideFile = "Caskit.html";

// "file:///" URL of `path` with `anchor` ("#help-N" for a help context,
// nothing for the contents, context 0). Blanks, "#" and "%" and bytes
// outside printable ASCII are escaped.
std::string userGuideUrl(const std::string& path, int context);

// Opens the guide at the section of `context` (0: the contents). Says so
// in a message box when the guide is missing or no program opens it.
bool openUserGuide(HWND owner, int context);
