#include "builder/engine/CompileInputs.h"

#include "builder/engine/CodePage.h"
#include "builder/engine/JarArchive.h"
#include "builder/engine/JarManifest.h"
#include "builder/engine/ProjectPaths.h"
#include "builder/engine/SplashImage.h"
#include "builder/engine/XmlCheck.h"
#include "platform/FileSystem.h"

namespace {

// `text` with each NUL shown as \0: a message quotes it whole, where its
// first NUL would end it.
std::string withVisibleNuls(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (c) shown += c;
        else shown += "\\0";
    }
    return shown;
}

// The whole file, at most `maxSize` bytes; nullopt with the reason.
std::optional<std::string> readInput(const std::string& path, std::uint64_t maxSize, const std::string& what,
                                     std::string& error) {
    platform::File file = platform::openFile(path, platform::File::Mode::ReadExclusive);
    std::uint64_t size = 0;
    if (!file.isOpen() || !file.size(size)) {
        error = what + " cannot be read: " + platform::lastErrorText();
        return std::nullopt;
    }
    if (size > maxSize) {
        const bool megabytes = maxSize >= (1u << 20);
        error = what + " is larger than " + std::to_string(maxSize >> (megabytes ? 20 : 10)) +
                (megabytes ? " MB (" : " KB (") + std::to_string(size) + " bytes)";
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!file.readExact(bytes.data(), bytes.size())) {
        error = what + " cannot be read: " + platform::lastErrorText();
        return std::nullopt;
    }
    return bytes;
}

bool isClassName(const std::string& name) {
    for (char c : name)
        if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7F) return false;
    return !name.empty();
}

// The file a setting names (relative to the project file's folder), whole
// and accepted by `problemOf`; nullopt with a message that names it as
// `what` and gives the problem after `lead`.
std::optional<std::string> readCheckedFile(const Project& project, const std::string& name, const char* what,
                                           std::uint64_t maxSize, const char* lead,
                                           std::optional<std::string> (*problemOf)(const std::string&),
                                           std::string& error) {
    const std::string named = what + projectFilePath(project, name);
    std::optional<std::string> bytes = readInput(projectFilePath(project, name), maxSize, named, error);
    if (!bytes) return std::nullopt;
    if (std::optional<std::string> problem = problemOf(*bytes)) {
        error = named + lead + *problem;
        return std::nullopt;
    }
    return bytes;
}

bool readManifestFile(const Project& project, CompileInputs& inputs, std::string& error) {
    inputs.manifest = readCheckedFile(project, project.extended().manifestPath, "The application manifest ",
                                      kMaxManifestSize, " is not well-formed XML: ", xmlProblem, error);
    return inputs.manifest.has_value();
}

bool readJarFile(const Project& project, CompileInputs& inputs, std::string& error) {
    const std::string path = projectFilePath(project, project.extended().embeddedJar);
    const std::string what = "The jar " + path;
    std::optional<std::string> bytes = readInput(path, kMaxEmbeddedJarSize, what, error);
    if (!bytes) return false;
    JarContents contents;
    std::string problem;
    if (!readJar(*bytes, contents, problem)) {
        error = what + " cannot be embedded: " + problem;
        return false;
    }
    std::string jarMainClass;
    if (contents.hasManifest && !manifestMainClass(contents.manifest, jarMainClass, problem)) {
        error = what + " has a damaged manifest (META-INF/MANIFEST.MF): " + problem;
        return false;
    }
    if (inputs.mainClass.empty()) {
        if (jarMainClass.empty()) {
            error = "The project names no main class, and the manifest of the jar " + path +
                    (contents.hasManifest ? " names none (Main-Class)." : " is missing.") +
                    " Set the main class of the project.";
            return false;
        }
        if (!isClassName(jarMainClass)) {
            error = "The Main-Class \"" + withVisibleNuls(jarMainClass) + "\" in the manifest of the jar " + path +
                    " is not a class name the compile can store (ASCII, no blanks). Set the main class of the project.";
            return false;
        }
        inputs.mainClass = jarMainClass;
        inputs.notices.push_back("main class " + jarMainClass + ", from the manifest of " + path);
    }
    inputs.jar = std::move(*bytes);
    inputs.jarBytesAfterEnd = contents.bytesAfterEnd;
    return true;
}

bool readSplashFile(const Project& project, CompileInputs& inputs, std::string& error) {
    std::optional<std::string> bytes = readCheckedFile(project, project.extended().splashImage, "The splash image ",
                                                       kMaxSplashImageSize, " ", splashImageProblem, error);
    if (bytes) inputs.splash = std::move(*bytes);
    return bytes.has_value();
}

}  // namespace

std::string projectFilePath(const Project& project, const std::string& path) {
    return resolvePath(folderOf(project.projectPath), ansiToSystem(path, project.textCodePage));
}

bool readCompileInputs(const Project& project, CompileInputs& inputs, std::string& error) {
    inputs = CompileInputs();
    inputs.mainClass = project.mainClass();
    if (!project.extended().manifestPath.empty() && !readManifestFile(project, inputs, error)) return false;
    if (!project.extended().embeddedJar.empty() && !readJarFile(project, inputs, error)) return false;
    if (!project.extended().splashImage.empty() && !readSplashFile(project, inputs, error)) return false;
    return true;
}

std::optional<std::string> archiveTailProblem(const Project& project, const CompileInputs& inputs,
                                              std::uint64_t trailerSize, bool signable) {
    if (inputs.jar.empty()) return std::nullopt;
    const std::uint64_t room = signable ? kSignatureRoom : 0;
    const std::uint64_t after = inputs.jarBytesAfterEnd + trailerSize + room;
    if (after <= kMaxBytesAfterArchiveEnd) return std::nullopt;
    std::string parts = std::to_string(inputs.jarBytesAfterEnd) + " of the jar's own comment and " +
                        std::to_string(trailerSize) + " of settings";
    if (signable) parts += ", with " + std::to_string(room) + " kept for a signature";
    return "The jar " + projectFilePath(project, project.extended().embeddedJar) + " cannot be embedded: " +
           std::to_string(after) + " bytes would follow the end of its archive (" + parts +
           "), and Java finds an archive only when at most " + std::to_string(kMaxBytesAfterArchiveEnd) +
           " bytes follow its end. Shorten the jar's comment or the settings.";
}
