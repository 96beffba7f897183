#pragma once
// Shared state and helpers of the UI driver, and its scenarios.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/ui/Builder.h"
#include "tests/ui/Checks.h"
#include "tests/ui/Remote.h"

namespace driver {

extern Checks checks;
extern Builder builder;
extern std::string gExe;        // Caskit2.exe
extern std::string gWork;       // work folder (Windows path)
extern std::string gStandins;   // stand-in VM libraries

struct HelpRequest {
    bool fail = false;  // answer as a system without WinHelp does
    int calls = 0;
    int command = -1;
    long data = -1;
    std::string file;
};
extern HelpRequest gHelp;
void createHelpWindow();
// Context Sensitive Help through the frame: the context id WinHelp got.
int helpContextFromFrame();

// The browser stand-in beside the driver as the program that opens .html
// files (true), or the association as it was before (false).
void useBrowserStandin(bool on);
// What the browser stand-in was asked to open, one command line a call.
std::vector<std::string> browserCalls();

// Rests the mouse on a screen point and reads the tool tip that appears
// ("" when none does).
std::string toolTipAt(POINT screen);
bool fileExists(const std::string& path);
std::string readFile(const std::string& path);
bool contains(const std::string& text, const std::string& part);
HWND control(HWND page, int id);
void type(HWND page, int id, const std::string& text);
std::string read(HWND page, int id);
void clickNow(HWND page, int id);
HWND fileNameField(HWND dialog);
// The controls a picker hides on the common dialog (and the file type
// list it keeps or hides), its filter, and its sizing border.
void checkPickerDialog(HWND dialog, const std::string& what, bool folderPicker);
bool answerFileDialog(const std::string& caption, const std::string& path, std::string* proposed = nullptr);
std::string answerMessageBox(const std::string& caption, int button);
bool pickExeFolder(HWND commandPage, const std::string& folder);
bool pickRelativeFile(HWND button, const std::string& caption, const std::string& path);
void saveAs(HWND window, const std::string& path, const std::string& expectProposed, const std::string& title);
HWND newProject(int version);
void expectTabs(HWND window, const std::vector<std::string>& expected, const std::string& what);
// The help context of a page kind ("command", "runtime", ...).
int helpIdOf(const std::string& kind);
void visitPages(HWND window, const std::string& prefix, const std::vector<std::string>& kinds);

}  // namespace driver

// Scenarios, in the order they run (each leaves the builder as the next expects).
namespace scenarios {
void frameAtStart();
void jdk11Project(HWND& window);
void jdk20Project(HWND& window);
void folderPickerSelection();
void compileCancelledSave();
void openingAndHandOver(HWND jdk11Window);
void windowWithoutPages();
void compilingStatus();
void damagedIcon();
void closing(HWND jdk11Window);
// Help through the user guide where WinHelp fails: F1 on every page.
void helpInBrowser(HWND window);
// The settings of JDK 2.0 projects beyond the original record, on the
// Runtime, command and version pages: through save and reopen.
void jdk20Settings();
// After the first builder has ended.
void olderPlatforms();
}  // namespace scenarios
