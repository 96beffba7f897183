#pragma once
// Turning a project into an executable: the stub copy, the parameter block
// (as resources or as a trailer), the version block and the icons.

#include <string>

#include "builder/engine/CompileRequest.h"
#include "builder/engine/Project.h"
#include "builder/engine/Reporter.h"

constexpr unsigned kStub11ResourceId = 113;
constexpr unsigned kStub12ResourceId = 114;
// stub12 linked as a console program (Windows only).
constexpr unsigned kStub12ConsoleResourceId = 115;

// The caption of a compile's errors, and of its warnings and notes.
constexpr const char* kCompileErrorCaption = "Error Compiling Executable";
constexpr const char* kCompileCaption = "Compile Project";

// The stub a project is compiled from: 113 for JDK 1.1, 114 for JDK 2.0,
// 115 for a JDK 2.0 console program; 0 for an unknown project version.
unsigned stubResourceId(const Project& project);

// The parameter block text for the project (LF-ended lines, no terminator),
// in the project code page.
std::string buildParameterBlock(const Project& project);
// The same with another main class (one the compile read from a jar).
std::string buildParameterBlock(const Project& project, const std::string& mainClass);

// The resource (type 1000) that holds a splash image in the resource form.
constexpr unsigned kSplashImageId = 3;
// The block's last record, for a project with a splash image: where the
// image's `length` bytes are, at `offset` in the executable's own file, or
// in resource 1000/kSplashImageId when `offset` is 0.
std::string splashImageRecord(std::uint64_t offset, std::uint64_t length);

// One resource transaction storing type 1000/id/language 0.
bool updateParameterResource(const std::string& targetPath, unsigned id, const std::string& bytes);

// Produces the executable at request.outputPath. Everything is written
// into a new file in the target's folder, created exclusively under a
// unique name that ends in kCompilingSuffix (platform::ReplacementFile),
// which replaces the target only when the stub, the
// block and, in the resource form, the version block and the icons are
// all in; any failure (an exception too) leaves the previous target
// untouched and no temporary file, is reported as an error, and returns
// false. A project version other than 1 or 2, or a stub source without
// the stub, writes nothing and reports nothing. A project with a line
// break in a setting other than the argument text is refused before
// anything is written, and so is a project manifest or jar to embed that
// cannot be read or is damaged.
//
// With a project manifest the executable carries it as resource 24/1
// (language 0) in place of the stub's own. An embedded jar is appended
// after the resources, or in front of the parameter trailer; the PE
// header checksum is then made right for the whole file.
//
// A signed stub's certificate table is removed first, with a warning. What
// the compile took on its own (the main class from the jar's manifest, a
// manifest it could not write) is reported as notes once it succeeded.
bool compile(const CompileRequest& request, Reporter& reporter);

constexpr const char* kCompilingSuffix = ".compiling";

// "app.exe" without its ".exe" (in any letter case); other names as they are.
std::string withoutExeSuffix(const std::string& name);
