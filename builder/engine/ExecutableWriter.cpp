// "Compile Project": the stub copy, the mode marker and parameter block
// (as resources where the system can update them, else as a trailer), the
// version block and the icons, all written into a temporary file that
// replaces the target at the end. The stub's code is never changed.
#include "builder/engine/ExecutableWriter.h"

#include <cctype>
#include <new>
#include <vector>

#include "builder/engine/CodePage.h"
#include "builder/engine/CompileInputs.h"
#include "builder/engine/ExecutableTail.h"
#include "builder/engine/IconResources.h"
#include "builder/engine/IconSet.h"
#include "builder/engine/LineBreaks.h"
#include "builder/engine/ParameterTrailerWriter.h"
#include "builder/engine/PeTimeStamp.h"
#include "builder/engine/ResourceTransaction.h"
#include "builder/engine/SettingChecks.h"
#include "builder/engine/SignatureRemoval.h"
#include "builder/engine/VersionInfoBuilder.h"
#include "builder/engine/VersionText.h"
#include "platform/FileSystem.h"
#include "platform/NamedResource.h"

namespace {

constexpr const char* kCompileCaption = "Error Compiling Executable";
constexpr const char* kNoteCaption = "Compile Project";
constexpr const char* kResourceMarker = "resbased";
constexpr unsigned kMarkerId = 1;
constexpr unsigned kBlockId = 2;
// Larger files are not launcher stubs.
constexpr std::uint64_t kMaxExecutableSize = 256u << 20;
constexpr unsigned kManifestType = 24;  // RT_MANIFEST
constexpr unsigned kManifestId = 1;     // the process's own manifest

CompileStepHook& stepHook() {
    static CompileStepHook hook;
    return hook;
}

// False when the test seam makes this step fail; the failure is then
// reported like any other.
bool reach(CompileStep step, std::string& error) {
    if (!stepHook() || stepHook()(step)) return true;
    error = std::string("the ") + compileStepName(step) + " step was made to fail";
    return false;
}

CompileNoticeHandler& noticeHandler() {
    static CompileNoticeHandler handler;
    return handler;
}

StubSource& stubSource() {
    static StubSource source;
    return source;
}

std::optional<std::string> loadStub(unsigned stubId) {
    if (const StubSource& source = stubSource()) return source(stubId);
    return platform::ownNamedResource("EXE", stubId);
}

void showCompileError(platform::WindowRef owner, const std::string& text) {
    platform::showMessage(owner, text, kCompileCaption, platform::kMbOk | platform::kMbIconWarning);
}

// Something the user should know about a compile that goes on: an
// information message, not an error.
void showCompileNote(platform::WindowRef owner, const std::string& text) {
    platform::showMessage(owner, text, kNoteCaption, platform::kMbOk | platform::kMbIconInformation);
}

// The Linux launcher reads its block in UTF-8; the Windows stubs in the
// ANSI code page, as project text is.
bool readsUtf8Block(const std::string& stubImage) { return stubImage.compare(0, 4, "\x7f" "ELF") == 0; }

// A write that failed part-way leaves no truncated executable behind.
bool failAndRemove(platform::File& file, const std::string& targetPath, platform::WindowRef owner) {
    std::string error = platform::lastErrorText();
    file.close();
    platform::deleteFile(targetPath);
    showCompileError(owner, error);
    return false;
}

// Raises XException when the target cannot be opened for update; false
// when the update could not be completed.
bool writeVersionBlock(const Project& project, const std::string& targetPath) {
    std::int16_t file[4], product[4];
    project.getFileVersion(file[0], file[1], file[2], file[3]);
    project.getProductVersion(product[0], product[1], product[2], product[3]);

    VersionInfoBuilder builder;
    builder.setTarget(targetPath);
    // Parts are signed in the project; the resource keeps their low 16 bits.
    builder.setFileVersion(static_cast<std::uint16_t>(file[0]), static_cast<std::uint16_t>(file[1]),
                           static_cast<std::uint16_t>(file[2]), static_cast<std::uint16_t>(file[3]));
    builder.setProductVersion(static_cast<std::uint16_t>(product[0]), static_cast<std::uint16_t>(product[1]),
                              static_cast<std::uint16_t>(product[2]), static_cast<std::uint16_t>(product[3]));
    builder.setString("Comments", project.comments());
    builder.setString("CompanyName", project.companyName());
    // The program's own description and product name where the project
    // gives them, with the names Windows shows and signing tools check.
    const ExtendedSettings& named = project.extended();
    builder.setString("FileDescription", named.fileDescription.empty()
                                             ? project.exeName() + ", built by Tallowmark Inc's, Caskit"
                                             : named.fileDescription);
    if (!named.fileDescription.empty() || !named.productName.empty()) {
        builder.setString("OriginalFilename", project.exeName());
        builder.setString("InternalName", withoutExeSuffix(project.exeName()));
    }
    builder.setString("FileVersion", versionText(file));
    builder.setString("LegalCopyright", project.legalCopyright());
    builder.setString("LegalTrademarks", project.legalTrademarks());
    builder.setString("ProductName", named.productName.empty() ? project.exeName() : named.productName);
    builder.setString("ProductVersion", versionText(product));
    return builder.write();
}

}  // namespace

void setStubSource(StubSource source) { stubSource() = std::move(source); }

void setCompileNoticeHandler(CompileNoticeHandler handler) { noticeHandler() = std::move(handler); }

unsigned stubResourceId(const Project& project) {
    switch (project.getProjectVersion()) {
    case static_cast<std::int32_t>(ProjectVersion::Jdk11): return kStub11ResourceId;
    case static_cast<std::int32_t>(ProjectVersion::Jdk20):
        return project.extended().consoleProgram ? kStub12ConsoleResourceId : kStub12ResourceId;
    default: return 0;
    }
}

namespace {

bool storeParameterResource(const std::string& targetPath, unsigned id, const std::string& bytes, std::string& error) {
    ResourceTransaction update;
    if (update.begin(targetPath) &&
        update.update(platform::kParameterResourceType, id, 0, bytes.data(), bytes.size()) && update.commit())
        return true;
    error = update.errorText();
    return false;
}

}  // namespace

const char* compileStepName(CompileStep step) {
    switch (step) {
    case CompileStep::Stub: return "stub";
    case CompileStep::Marker: return "marker";
    case CompileStep::Block: return "block";
    case CompileStep::Version: return "version";
    case CompileStep::Icons: return "icons";
    case CompileStep::Manifest: return "manifest";
    case CompileStep::Jar: return "jar";
    case CompileStep::Replace: break;
    }
    return "replace";
}

void setCompileStepHook(CompileStepHook hook) { stepHook() = std::move(hook); }

bool updateParameterResource(const std::string& targetPath, unsigned id, const std::string& bytes) {
    std::string ignored;
    return storeParameterResource(targetPath, id, bytes, ignored);
}

namespace {

// The stub, the jar and the trailer (in the trailer form), the marker and
// the block (in the resource form).
bool writeStub(const Project& project, unsigned stubId, const std::string& targetPath, platform::WindowRef owner,
               const CompileInputs& inputs) {
    std::string block = buildParameterBlock(project, inputs.mainClass);
    std::optional<std::string> stub = loadStub(stubId);
    if (!stub) return false;
    if (removeCertificateTable(*stub))
        showCompileNote(owner, "the stub's signature was removed; sign the executable after compiling");
    const bool linuxLauncher = readsUtf8Block(*stub);
    if (linuxLauncher) block = ansiToUtf8(block);
    const std::uint64_t trailerSize = project.resourceUpdateAvailable ? 0 : block.size() + 4;
    if (std::optional<std::string> problem = archiveTailProblem(project, inputs, trailerSize, !linuxLauncher)) {
        showCompileError(owner, *problem);
        return false;
    }

    std::string error;
    platform::File file = platform::openFile(targetPath, platform::File::Mode::CreateAlways);
    if (!file.isOpen()) {
        showCompileError(owner, platform::lastErrorText());
        return false;
    }
    if (!reach(CompileStep::Stub, error)) {
        file.close();
        platform::deleteFile(targetPath);
        showCompileError(owner, error);
        return false;
    }
    if (!file.write(*stub)) return failAndRemove(file, targetPath, owner);
    // In the trailer form the jar goes in front of the trailer, which the
    // launcher finds at the very end.
    if (!project.resourceUpdateAvailable &&
        (!file.write(inputs.jar) || !file.write(encodeParameterTrailer(block))))
        return failAndRemove(file, targetPath, owner);
    if (!file.close()) return failAndRemove(file, targetPath, owner);

    if (project.resourceUpdateAvailable) {
        // Without the marker and the block the executable would start with
        // the launcher's defaults only: report it instead of a silent
        // success, and remove the unusable file.
        if (!reach(CompileStep::Marker, error) ||
            !storeParameterResource(targetPath, kMarkerId, kResourceMarker, error) ||
            !reach(CompileStep::Block, error) || !storeParameterResource(targetPath, kBlockId, block, error)) {
            platform::deleteFile(targetPath);
            showCompileError(owner, error);
            return false;
        }
    }
    return true;
}

}  // namespace

bool writeStubImage(const Project& project, unsigned stubId, const std::string& targetPath,
                    platform::WindowRef owner) {
    CompileInputs inputs;
    inputs.mainClass = project.mainClass();
    return writeStub(project, stubId, targetPath, owner, inputs);
}

namespace {

// The version block and the icons, into the temporary file. False after
// reporting the failure.
bool writeVersionAndIcons(const Project& project, const std::string& path, platform::WindowRef owner) {
    std::string error;
    if (project.versionInfoEnabled) {
        try {
            if (!reach(CompileStep::Version, error)) {
                showCompileError(owner, error);
                return false;
            }
            if (!writeVersionBlock(project, path)) {
                showCompileError(owner, platform::lastErrorText());
                return false;
            }
        } catch (const std::exception& e) {
            showCompileError(owner, e.what());
            return false;
        }
    }

    try {
        const std::vector<IconImage> images = iconSetToWrite(project);
        if (images.empty()) return true;
        std::vector<const IconImage*> icons;
        for (const IconImage& image : images) icons.push_back(&image);
        if (!reach(CompileStep::Icons, error)) {
            showCompileError(owner, error);
            return false;
        }
        if (!writeIconResources(icons, path, 0)) {
            showCompileError(owner, platform::lastErrorText());
            return false;
        }
    } catch (const std::bad_alloc&) {
        showCompileError(owner, "out of memory");
        return false;
    } catch (const std::exception& e) {
        showCompileError(owner, *e.what() ? e.what() : "out of memory");
        return false;
    }
    return true;
}

// Gives a Windows executable the time stamp `time`; the Linux launcher has
// no such field. False after reporting.
bool stampBuildTime(const std::string& path, std::uint32_t time, platform::WindowRef owner) {
    std::optional<std::string> bytes = platform::readWholeFile(path, kMaxExecutableSize);
    if (!bytes) {
        showCompileError(owner, platform::lastErrorText());
        return false;
    }
    if (readsUtf8Block(*bytes)) return true;
    std::string error;
    if (!setPeTimeStamp(*bytes, time, error)) {
        showCompileError(owner, "cannot set the time stamp: " + error);
        return false;
    }
    platform::File file = platform::openFile(path, platform::File::Mode::CreateAlways);
    if (!file.isOpen() || !file.write(*bytes) || !file.close()) {
        showCompileError(owner, platform::lastErrorText());
        return false;
    }
    return true;
}

// The project's manifest as resource 24/1, language 0: the stub's own
// manifest is stored there, so it is replaced.
bool writeManifest(const std::string& bytes, const std::string& path, std::string& error) {
    if (!reach(CompileStep::Manifest, error)) return false;
    ResourceTransaction update;
    if (update.begin(path) && update.update(kManifestType, kManifestId, 0, bytes.data(), bytes.size()) &&
        update.commit())
        return true;
    error = update.errorText();
    return false;
}

// The jar after everything the resource writing changed (in the resource
// form; the trailer form has it already), then the PE checksum for the
// file with the jar.
bool finishJar(const Project& project, const CompileInputs& inputs, const std::string& path, std::string& error) {
    if (inputs.jar.empty()) return true;
    if (!reach(CompileStep::Jar, error)) return false;
    if (project.resourceUpdateAvailable && !appendToFile(path, inputs.jar, error)) return false;
    return refreshPeChecksum(path, error);
}

void tell(const std::string& notice) {
    if (noticeHandler()) noticeHandler()(notice);
}

// Writes the executable into the temporary file and puts it in place.
// Every failure is reported and removes the temporary file.
bool writeAndReplace(const Project& project, unsigned stubId, const std::string& temporary,
                     const std::string& targetPath, const CompileInputs& inputs,
                     std::optional<std::uint32_t> buildTime, platform::WindowRef owner) {
    if (!writeStub(project, stubId, temporary, owner, inputs)) return false;
    if ((project.resourceUpdateAvailable && !writeVersionAndIcons(project, temporary, owner))) {
        platform::deleteFile(temporary);
        return false;
    }
    std::string error;
    if (project.resourceUpdateAvailable && inputs.manifest && !writeManifest(*inputs.manifest, temporary, error)) {
        platform::deleteFile(temporary);
        showCompileError(owner, error);
        return false;
    }
    // The time stamp once every resource is in; the jar after it, whose
    // appending makes the checksum right for the whole file.
    if (buildTime && !stampBuildTime(temporary, *buildTime, owner)) {
        platform::deleteFile(temporary);
        return false;
    }
    if (!finishJar(project, inputs, temporary, error) || !reach(CompileStep::Replace, error) ||
        !platform::replaceFile(temporary, targetPath)) {
        if (error.empty()) error = platform::lastErrorText();
        platform::deleteFile(temporary);
        showCompileError(owner, error);
        return false;
    }
    return true;
}

}  // namespace

bool compile(const Project& project, platform::WindowRef owner) {
    if (std::optional<std::string> setting = settingWithLineBreak(project)) {
        showCompileError(owner, "The " + *setting +
                                    " holds a line break, which would break up the settings stored in the "
                                    "executable. Remove the line break and compile again.");
        return false;
    }
    if (std::optional<std::string> problem = extendedSettingProblem(project)) {
        showCompileError(owner, *problem);
        return false;
    }
    // The folder and name are project text; the file functions take system text.
    const std::string targetPath = ansiToSystem(project.exeFolder() + project.exeName());
    const unsigned stubId = stubResourceId(project);
    if (stubId == 0) return false;  // no stub for an unknown version: nothing to write

    // Everything the compile reads is read before the first byte is written.
    CompileInputs inputs;
    std::string error;
    if (!readCompileInputs(project, inputs, error)) {
        showCompileError(owner, error);
        return false;
    }
    if (inputs.manifest && !project.resourceUpdateAvailable)
        inputs.notices.push_back("the application manifest " +
                                 projectFilePath(project, project.extended().manifestPath) +
                                 " is not written: this executable takes no resources (a Linux launcher, or "
                                 "the trailer form)");

    const std::optional<std::uint32_t> buildTime = sourceDateEpoch(error);
    if (!error.empty()) {
        showCompileError(owner, error);
        return false;
    }

    const std::string temporary = targetPath + kCompilingSuffix;
    try {
        if (!writeAndReplace(project, stubId, temporary, targetPath, inputs, buildTime, owner)) return false;
        for (const std::string& notice : inputs.notices) tell(notice);
        return true;
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    } catch (const std::exception& e) {
        error = *e.what() ? e.what() : "out of memory";
    }
    platform::deleteFile(temporary);
    showCompileError(owner, error);
    return false;
}

std::string withoutExeSuffix(const std::string& name) {
    static const char suffix[] = ".exe";
    if (name.size() < 4) return name;
    for (std::size_t i = 0; i < 4; ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - 4 + i])) != suffix[i]) return name;
    return name.substr(0, name.size() - 4);
}

