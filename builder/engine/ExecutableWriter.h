#pragma once
// Turning a project into an executable: the stub copy, the parameter block
// (as resources or as a trailer), the version block and the icons.

#include <functional>
#include <optional>
#include <string>

#include "builder/engine/Project.h"
#include "platform/MessageText.h"

constexpr unsigned kStub11ResourceId = 113;
constexpr unsigned kStub12ResourceId = 114;
// stub12 linked as a console program (Windows only).
constexpr unsigned kStub12ConsoleResourceId = 115;

// The stub a project is compiled from: 113 for JDK 1.1, 114 for JDK 2.0,
// 115 for a JDK 2.0 console program; 0 for an unknown project version.
unsigned stubResourceId(const Project& project);

// Where stub images come from: the builder's own "EXE" resources by default;
// the command-line builder installs a source that reads stub files.
using StubSource = std::function<std::optional<std::string>(unsigned stubId)>;
void setStubSource(StubSource source);

// The parameter block text for the project (LF-ended lines, no terminator),
// in the project code page.
std::string buildParameterBlock(const Project& project);
// The same with another main class (one the compile read from a jar).
std::string buildParameterBlock(const Project& project, const std::string& mainClass);

// Copies the stub and stores the block; false on failure (reported). A
// signed stub's certificate table is removed first, with an information
// message (caption "Compile Project") saying so.
bool writeStubImage(const Project& project, unsigned stubId, const std::string& targetPath, platform::WindowRef owner);

// One resource transaction storing type 1000/id/language 0.
bool updateParameterResource(const std::string& targetPath, unsigned id, const std::string& bytes);

// Produces the executable at exeFolder + exeName. Everything is written
// into a temporary file in the target's folder (the target path followed
// by kCompilingSuffix), which replaces the target only when the stub, the
// block and, in the resource form, the version block and the icons are
// all in; any failure (an exception too) leaves the previous target
// untouched and no temporary file, is reported, and returns false. A
// project version other than 1 or 2 writes nothing. A project with a line
// break in a setting other than the argument text is refused with a
// message before anything is written, and so is a project manifest or jar
// to embed that cannot be read or is damaged.
//
// With a project manifest the executable carries it as resource 24/1
// (language 0) in place of the stub's own. An embedded jar is appended
// after the resources, or in front of the parameter trailer; the PE
// header checksum is then made right for the whole file.
bool compile(const Project& project, platform::WindowRef owner);

// What a compile tells besides its errors (the main class it took from
// the jar's manifest, a manifest it could not write), one text each.
// Nothing is shown while no handler is installed.
using CompileNoticeHandler = std::function<void(const std::string&)>;
void setCompileNoticeHandler(CompileNoticeHandler handler);

constexpr const char* kCompilingSuffix = ".compiling";

// "app.exe" without its ".exe" (in any letter case); other names as they are.
std::string withoutExeSuffix(const std::string& name);

// The steps of a compile, in order. A test seam can make any of them fail
// (the hook returns false before the step runs), as a real failure of
// that step would.
enum class CompileStep { Stub, Marker, Block, Version, Icons, Manifest, Jar, Replace };
const char* compileStepName(CompileStep step);
using CompileStepHook = std::function<bool(CompileStep)>;
void setCompileStepHook(CompileStepHook hook);
