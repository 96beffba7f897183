// The save path of Windows 95 and 98, where MoveFileExA exists but is not
// implemented: the move call behind platform::replaceFile answers
// ERROR_CALL_NOT_IMPLEMENTED, and projects are still saved and replaced,
// with nothing left beside them; when the new file cannot be moved in, the
// old one is put back. Writes "FAIL ..." lines and a final "done" to the
// report file; started by run_self_check.py.
#include <windows.h>

#include <cstdio>
#include <string>

#include "builder/engine/Project.h"
#include "builder/engine/ProjectFile.h"
#include "builder/ui/BoxReporter.h"
#include "platform/FileSystem.h"
#include "platform/win32/FileReplace.h"
#include "tests/support/FileBytes.h"

namespace {

std::FILE* gReport = nullptr;
int gNotImplementedCalls = 0;

void expect(const std::string& what, bool condition) {
    if (!condition) std::fprintf(gReport, "FAIL %s\n", what.c_str());
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

BOOL WINAPI notImplemented(LPCSTR, LPCSTR, DWORD) {
    ++gNotImplementedCalls;
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

std::string mainClassIn(const std::string& path) {
    Project read;
    BoxReporter boxes(nullptr);
    return openProject(read, path, boxes) ? read.mainClass() : "<unreadable>";
}

void savesAndReplaces(const std::string& path) {
    DeleteFileA(path.c_str());
    Project project;
    project.setProjectVersion(2);
    project.setMainClass("com.example.First");
    project.projectPath = path;
    BoxReporter boxes(nullptr);
    expect("a new file is saved", saveProject(project, boxes));
    expect("the new file holds the project", mainClassIn(path) == "com.example.First");
    project.setMainClass("com.example.Second");
    expect("an existing file is replaced", saveProject(project, boxes));
    expect("the replaced file holds the new project", mainClassIn(path) == "com.example.Second");
    expect("the move call was the one that is not implemented", gNotImplementedCalls >= 2);
    expect("no temporary file is left", !exists(path + ".saving"));
    expect("no old file is left aside", !exists(path + ".replaced"));
}

void oldFileSurvivesAFailedMove(const std::string& path) {
    caskit_test::writeFile(path, "old contents");
    expect("a missing new file is not moved in", !platform::replaceFile(path + ".missing", path));
    expect("the old file is back in place", caskit_test::readFile(path) == "old contents");
    expect("nothing is left aside", !exists(path + ".replaced"));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    gReport = std::fopen(argv[1], "w");
    if (!gReport) return 2;
    platform::moveFileExForReplace = notImplemented;
    savesAndReplaces("saved.csk");
    oldFileSurvivesAFailedMove("kept.csk");
    std::fprintf(gReport, "done\n");
    std::fclose(gReport);
    return 0;
}
