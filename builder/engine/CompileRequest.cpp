#include "builder/engine/CompileRequest.h"

#include "builder/engine/CodePage.h"
#include "builder/engine/Project.h"
#include "platform/NamedResource.h"

const char* compileStepName(CompileStep step) {
    static const char* const names[] = {"stub", "marker", "block", "version", "icons", "manifest", "splash", "jar", "replace"};
    return names[static_cast<int>(step)];
}

bool CompileOutput::run(CompileStep, const Write& write, std::string& error) { return write(error); }

std::optional<std::string> ownStubImage(unsigned stubId) { return platform::ownNamedResource("EXE", stubId); }

// The folder and name are project text; the file functions take system text.
CompileRequest::CompileRequest(const Project& p)
    : project(p),
      form(p.resourceUpdateAvailable ? SettingsForm::Resources : SettingsForm::Trailer),
      outputPath(ansiToSystem(p.exeFolder() + p.exeName(), p.textCodePage)) {}
