// "Compile Project": the checks and reads before anything is written, then
// the writing (CompileSteps.cpp), and what the compile tells afterwards.
#include "builder/engine/ExecutableWriter.h"

#include <cctype>
#include <new>

#include "builder/engine/CompileInputs.h"
#include "builder/engine/CompileSteps.h"
#include "builder/engine/LineBreaks.h"
#include "builder/engine/PeTimeStamp.h"
#include "builder/engine/SettingChecks.h"
#include "platform/FileSystem.h"

unsigned stubResourceId(const Project& project) {
    switch (project.getProjectVersion()) {
    case static_cast<std::int32_t>(ProjectVersion::Jdk11): return kStub11ResourceId;
    case static_cast<std::int32_t>(ProjectVersion::Jdk20):
        return project.extended().consoleProgram ? kStub12ConsoleResourceId : kStub12ResourceId;
    default: return 0;
    }
}

namespace {

// Everything the compile reads is read, and every setting checked, before
// the first byte is written. False after reporting.
bool prepare(const CompileRequest& request, Reporter& reporter, CompileInputs& inputs,
             std::optional<std::uint32_t>& buildTime) {
    const Project& project = request.project;
    const auto fail = [&reporter](const std::string& text) {
        reporter.error(kCompileErrorCaption, text);
        return false;
    };
    if (std::optional<std::string> setting = settingWithLineBreak(project))
        return fail("The " + *setting +
                    " holds a line break, which would break up the settings stored in the executable. Remove the "
                    "line break and compile again.");
    if (std::optional<std::string> problem = extendedSettingProblem(project)) return fail(*problem);
    if (stubResourceId(project) == 0) return false;  // no stub for an unknown version: nothing to write

    std::string error;
    if (!readCompileInputs(project, inputs, error)) return fail(error);
    if (inputs.manifest && request.form != SettingsForm::Resources)
        inputs.notices.push_back("the application manifest " +
                                 projectFilePath(project, project.extended().manifestPath) +
                                 " is not written: this executable takes no resources (a Linux launcher, or "
                                 "the trailer form)");
    buildTime = sourceDateEpoch(error);
    return error.empty() || fail(error);
}

}  // namespace

bool compile(const CompileRequest& request, Reporter& reporter) {
    CompileInputs inputs;
    std::optional<std::uint32_t> buildTime;
    if (!prepare(request, reporter, inputs, buildTime)) return false;

    CompileOutput files;
    const CompileJob job{request, inputs, request.output ? *request.output : files, reporter,
                         stubResourceId(request.project), buildTime};
    // Created here, exclusively; the steps write it by its unique name.
    platform::ReplacementFile temporary;
    if (!temporary.create(request.outputPath, kCompilingSuffix)) {
        reporter.error(kCompileErrorCaption, temporary.problem());
        return false;
    }
    temporary.file().close();
    std::string error;
    try {
        if (!writeAndReplace(job, temporary)) return false;
        for (const std::string& notice : inputs.notices) reporter.note(kCompileCaption, notice);
        return true;
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    } catch (const std::exception& e) {
        error = *e.what() ? e.what() : "out of memory";
    }
    reporter.error(kCompileErrorCaption, error);
    return false;  // the temporary is removed on the way out
}

std::string withoutExeSuffix(const std::string& name) {
    static const char suffix[] = ".exe";
    if (name.size() < 4) return name;
    for (std::size_t i = 0; i < 4; ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - 4 + i])) != suffix[i]) return name;
    return name.substr(0, name.size() - 4);
}
