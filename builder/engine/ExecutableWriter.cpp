// "Compile Project": the stub copy, the mode marker and parameter block
// (as resources where the system can update them, else as a trailer), the
// version block and the icons. The stub's code is never changed.
#include "builder/engine/ExecutableWriter.h"

#include <vector>

#include "builder/engine/CodePage.h"
#include "builder/engine/IconResources.h"
#include "builder/engine/LineBreaks.h"
#include "builder/engine/VersionInfoBuilder.h"
#include "builder/engine/VersionText.h"
#include "builder/engine/ParameterTrailerWriter.h"
#include "platform/FileSystem.h"
#include "platform/NamedResource.h"
#include "platform/ResourceUpdate.h"

namespace {

constexpr const char* kCompileCaption = "Error Compiling Executable";
constexpr const char* kResourceMarker = "resbased";
constexpr unsigned kMarkerId = 1;
constexpr unsigned kBlockId = 2;

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

// The Linux launcher (an ELF program) reads its block as UTF-8; the
// Windows stubs read theirs in the ANSI code page, as the project holds it.
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
    builder.setString("FileDescription", project.exeName() + ", built by Tallowmark Inc's, Caskit");
    builder.setString("FileVersion", versionText(file));
    builder.setString("LegalCopyright", project.legalCopyright());
    builder.setString("LegalTrademarks", project.legalTrademarks());
    builder.setString("ProductName", project.exeName());
    builder.setString("ProductVersion", versionText(product));
    return builder.write();
}

}  // namespace

void setStubSource(StubSource source) { stubSource() = std::move(source); }

bool updateParameterResource(const std::string& targetPath, unsigned id, const std::string& bytes) {
    platform::ResourceUpdate update;
    if (!update.begin(targetPath)) return false;
    if (!update.update(platform::kParameterResourceType, id, 0, bytes.data(), bytes.size())) return false;
    return update.commit();
}

bool writeStubImage(const Project& project, unsigned stubId, const std::string& targetPath,
                    platform::WindowRef owner) {
    std::string block = buildParameterBlock(project);
    std::optional<std::string> stub = loadStub(stubId);
    if (!stub) return false;
    if (readsUtf8Block(*stub)) block = ansiToUtf8(block);

    platform::File file = platform::openFile(targetPath, platform::File::Mode::CreateAlways);
    if (!file.isOpen()) {
        showCompileError(owner, platform::lastErrorText());
        return false;
    }
    if (!file.write(*stub)) return failAndRemove(file, targetPath, owner);
    if (!project.resourceUpdateAvailable && !file.write(encodeParameterTrailer(block)))
        return failAndRemove(file, targetPath, owner);
    if (!file.close()) return failAndRemove(file, targetPath, owner);

    if (project.resourceUpdateAvailable) {
        // Without the marker and the block the executable would start with
        // the launcher's defaults only: report it instead of a silent
        // success, and remove the unusable file.
        if (!updateParameterResource(targetPath, kMarkerId, kResourceMarker) ||
            !updateParameterResource(targetPath, kBlockId, block)) {
            std::string error = platform::lastErrorText();
            platform::deleteFile(targetPath);
            showCompileError(owner, error);
            return false;
        }
    }
    return true;
}

bool compile(const Project& project, platform::WindowRef owner) {
    if (std::optional<std::string> setting = settingWithLineBreak(project)) {
        showCompileError(owner, "The " + *setting +
                                    " holds a line break, which would break up the settings stored in the "
                                    "executable. Remove the line break and compile again.");
        return false;
    }
    // The folder and name are project text; the file functions take system text.
    const std::string targetPath = ansiToSystem(project.exeFolder() + project.exeName());

    bool written = false;
    switch (project.getProjectVersion()) {
    case static_cast<std::int32_t>(ProjectVersion::Jdk11):
        written = writeStubImage(project, kStub11ResourceId, targetPath, owner);
        if (!written) return false;
        break;
    case static_cast<std::int32_t>(ProjectVersion::Jdk20):
        written = writeStubImage(project, kStub12ResourceId, targetPath, owner);
        if (!written) return false;
        break;
    default:
        break;  // no stub for an unknown version; the resource steps still run
    }
    if (!project.resourceUpdateAvailable) return written;

    if (project.versionInfoEnabled) {
        // A version block that cannot be written ends the compile here; the
        // icons are not written.
        try {
            if (!writeVersionBlock(project, targetPath)) {
                showCompileError(owner, platform::lastErrorText());
                return written;
            }
        } catch (const std::exception& e) {
            showCompileError(owner, e.what());
            return written;
        }
    }

    std::vector<const IconImage*> icons;
    for (const IconImage* image : {project.largeIcon(), project.smallIcon()})
        if (image && !image->bytes.empty()) icons.push_back(image);
    if (!icons.empty()) {
        try {
            writeIconResources(icons, targetPath, 0);
        } catch (const std::exception&) {
            // Icons are optional: every failure of this step is ignored.
        }
    }
    return written;
}
