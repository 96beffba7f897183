// The writing half of a compile: the stub copy, the mode marker and
// parameter block (as resources where the system can update them, else as
// a trailer), the version block and the icons, all written into a
// temporary file that replaces the target at the end. The stub's code is
// never changed.
#include "builder/engine/CompileSteps.h"

#include <new>
#include <vector>

#include "builder/engine/CodePage.h"
#include "builder/engine/ExecutableTail.h"
#include "builder/engine/ExecutableWriter.h"
#include "builder/engine/IconResources.h"
#include "builder/engine/IconSet.h"
#include "builder/engine/ParameterTrailerWriter.h"
#include "builder/engine/PeTimeStamp.h"
#include "builder/engine/ResourceTransaction.h"
#include "builder/engine/SignatureRemoval.h"
#include "builder/engine/VersionInfoBuilder.h"
#include "builder/engine/VersionText.h"
#include "platform/FileSystem.h"
#include "platform/NamedResource.h"

namespace {

constexpr const char* kResourceMarker = "resbased";
constexpr unsigned kMarkerId = 1;
constexpr unsigned kBlockId = 2;
constexpr unsigned kManifestType = 24;  // RT_MANIFEST
constexpr unsigned kManifestId = 1;     // the process's own manifest

bool resourceForm(const CompileJob& job) { return job.request.form == SettingsForm::Resources; }

bool fail(const CompileJob& job, const std::string& text) {
    job.reporter.error(kCompileErrorCaption, text);
    return false;
}

// Raises XException when the target cannot be opened for update; false
// with the reason in `error` when the update could not be completed.
bool writeVersionBlock(const Project& project, const std::string& targetPath, std::string& error) {
    std::int16_t file[4], product[4];
    project.getFileVersion(file[0], file[1], file[2], file[3]);
    project.getProductVersion(product[0], product[1], product[2], product[3]);

    VersionInfoBuilder builder;
    builder.setTarget(targetPath);
    builder.setCodePage(project.textCodePage);
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
    return builder.write(&error);
}

// The Linux launcher reads its block in UTF-8; the Windows stubs in the
// ANSI code page, as project text is.
bool readsUtf8Block(const std::string& stubImage) { return stubImage.compare(0, 4, "\x7f" "ELF") == 0; }

// Runs `step`, turning what it raises into its error; false after reporting.
bool run(const CompileJob& job, CompileStep step, const CompileOutput::Write& write) {
    std::string error;
    try {
        if (job.output.run(step, write, error)) return true;
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    } catch (const std::exception& e) {
        error = *e.what() ? e.what() : "out of memory";
    }
    return fail(job, error.empty() ? platform::lastErrorText() : error);
}

// One resource transaction storing type/id, language 0, as a step.
CompileOutput::Write storeResource(const std::string& path, unsigned type, unsigned id, const std::string& bytes) {
    return [&path, type, id, &bytes](std::string& error) {
        ResourceTransaction update;
        if (update.begin(path) && update.update(type, id, 0, bytes.data(), bytes.size()) && update.commit())
            return true;
        error = update.errorText();
        return false;
    };
}

// The image file: the stub, and in the trailer form the splash image, the
// jar and the trailer. A write that failed part-way leaves no truncated
// file behind.
bool writeImage(const std::string& path, const std::string& stub, const CompileInputs* tail, const std::string& trailer,
                std::string& error) {
    platform::File file = platform::openFile(path, platform::File::Mode::CreateAlways);
    if (file.isOpen() && file.write(stub) && (!tail || (file.write(tail->splash) && file.write(tail->jar))) &&
        file.write(trailer) && file.close())
        return true;
    error = platform::lastErrorText();
    file.close();
    platform::deleteFile(path);
    return false;
}

// The stub, the splash image, the jar and the trailer (in the trailer
// form), the marker and the block (in the resource form). A missing stub
// is not reported.
bool writeStub(const CompileJob& job, const std::string& path) {
    const Project& project = job.request.project;
    std::string block = buildParameterBlock(project, job.inputs.mainClass);
    std::optional<std::string> stub = job.request.stubs(job.stubId);
    if (!stub) return false;
    if (removeCertificateTable(*stub))
        job.reporter.warning(kCompileCaption, "the stub's signature was removed; sign the executable after compiling");
    const bool linuxLauncher = readsUtf8Block(*stub);
    if (linuxLauncher) block = ansiToUtf8(block, project.textCodePage);
    // In the trailer form the image follows the stub, in front of the jar,
    // whose archive end must stay near the end of the file.
    const std::string& splash = job.inputs.splash;
    if (!splash.empty()) block += splashImageRecord(resourceForm(job) ? 0 : stub->size(), splash.size());
    const std::uint64_t trailerSize = resourceForm(job) ? 0 : block.size() + 4;
    if (std::optional<std::string> problem = archiveTailProblem(project, job.inputs, trailerSize, !linuxLauncher))
        return fail(job, *problem);
    // In the trailer form the jar goes in front of the trailer, which the
    // launcher finds at the very end.
    if (!run(job, CompileStep::Stub, [&](std::string& error) {
            if (resourceForm(job)) return writeImage(path, *stub, nullptr, std::string(), error);
            return writeImage(path, *stub, &job.inputs, encodeParameterTrailer(block), error);
        }))
        return false;
    // Without the marker and the block the executable would start with the
    // launcher's defaults only: a failure, which removes the unusable file.
    const std::string marker = kResourceMarker;
    return !resourceForm(job) ||
           (run(job, CompileStep::Marker, storeResource(path, platform::kParameterResourceType, kMarkerId, marker)) &&
            run(job, CompileStep::Block, storeResource(path, platform::kParameterResourceType, kBlockId, block)));
}

// The version block, the icons, the project's manifest (as resource
// 24/1, language 0, where the stub's own is stored) and the splash image,
// into the temporary file. False after reporting the failure.
bool writeResources(const CompileJob& job, const std::string& path) {
    const Project& project = job.request.project;
    if (project.versionInfoEnabled &&
        !run(job, CompileStep::Version, [&](std::string& error) { return writeVersionBlock(project, path, error); }))
        return false;
    const std::vector<IconImage> images = iconSetToWrite(project);
    std::vector<const IconImage*> icons;
    for (const IconImage& image : images) icons.push_back(&image);
    const auto writeIcons = [&](std::string& error) { return writeIconResources(icons, path, 0, &error); };
    if (!icons.empty() && !run(job, CompileStep::Icons, writeIcons)) return false;
    if (job.inputs.manifest &&
        !run(job, CompileStep::Manifest, storeResource(path, kManifestType, kManifestId, *job.inputs.manifest)))
        return false;
    const std::string& splash = job.inputs.splash;
    return splash.empty() ||
           run(job, CompileStep::Splash, storeResource(path, platform::kParameterResourceType, kSplashImageId, splash));
}

// Everything into the temporary file. The jar once every resource is in
// (in the resource form; the trailer form has it already); then the time
// stamp, and the header checksum made right for the whole file, which the
// appended jar changed.
bool writeTemporary(const CompileJob& job, const std::string& path) {
    if (!writeStub(job, path) || (resourceForm(job) && !writeResources(job, path))) return false;
    if (!job.inputs.jar.empty())
        return run(job, CompileStep::Jar, [&](std::string& error) {
            return (!resourceForm(job) || appendToFile(path, job.inputs.jar, error)) &&
                   stampPeHeader(path, job.buildTime, error);
        });
    std::string error;
    return !job.buildTime || stampPeHeader(path, job.buildTime, error) ||
           fail(job, "cannot set the time stamp: " + error);
}

}  // namespace

bool updateParameterResource(const std::string& targetPath, unsigned id, const std::string& bytes) {
    std::string ignored;
    return storeResource(targetPath, platform::kParameterResourceType, id, bytes)(ignored);
}

bool writeAndReplace(const CompileJob& job, platform::ReplacementFile& temporary) {
    const auto replace = [&](std::string& error) {
        if (temporary.commit()) return true;
        error = temporary.problem();
        return false;
    };
    return writeTemporary(job, temporary.path()) && run(job, CompileStep::Replace, replace);
}
