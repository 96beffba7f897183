#pragma once
// Opening an address with the system's web browser (Windows).

namespace platform {

// ShellExecuteA "open" with the address; false when the system could not
// hand it to a program. shell32.dll is loaded only when this is called.
bool openInBrowser(const char* address);

}  // namespace platform
