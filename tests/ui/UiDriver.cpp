// Drives Caskit2.exe under Wine the way a user does: menu commands, clicks,
// typing, tab changes, the common dialogs and message boxes; checks what
// the builder shows and what it writes (project files read back with the
// engine, produced executables run with the stand-in VM).
//
//   UiDriver.exe CASKIT2_EXE WORK_FOLDER STANDIN_FOLDER
// WORK_FOLDER receives ui.log (checks, ending in "RESULT PASS ...") and
// shots\ (screenshot requests answered by run-ui.sh).

#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "tests/ui/Driver.h"

using namespace driver;


int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: UiDriver CASKIT2_EXE WORK_FOLDER STANDIN_FOLDER\n");
        return 2;
    }
    gExe = argv[1];
    gWork = argv[2];
    gStandins = argv[3];
    CreateDirectoryA((gWork + "\\shots").c_str(), nullptr);
    CreateDirectoryA((gWork + "\\out").c_str(), nullptr);
    checks.open(gWork + "\\ui.log", gWork + "\\shots");
    createHelpWindow();

    bool started = builder.start(gExe, gWork + "\\out");
    if (!started) {
        checks.note("     frame " + std::to_string(builder.frame != nullptr) + " client " +
                    std::to_string(builder.mdiClient != nullptr) + " toolbar " + std::to_string(builder.toolbar != nullptr) +
                    " status " + std::to_string(builder.statusBar != nullptr) + " error " + std::to_string(GetLastError()));
    }
    if (checks.check(started, "Caskit2.exe starts and shows its frame")) {
        HWND jdk11 = nullptr;
        HWND jdk20 = nullptr;
        scenarios::frameAtStart();
        scenarios::jdk11Project(jdk11);
        scenarios::jdk20Project(jdk20);
        scenarios::jdk20Settings();
        scenarios::folderPickerSelection();
        scenarios::compileCancelledSave();
        if (jdk11) scenarios::openingAndHandOver(jdk11);
        scenarios::windowWithoutPages();
        scenarios::compilingStatus();
        scenarios::damagedIcon();
        if (jdk11) scenarios::closing(jdk11);
        if (!builder.running()) scenarios::olderPlatforms();
    }
    if (builder.running()) TerminateProcess(builder.process(), 1);
    checks.finish();
    return checks.failed() == 0 ? 0 : 1;
}
