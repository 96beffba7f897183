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

// Where stub images come from: the builder's own "EXE" resources by default;
// the command-line builder installs a source that reads stub files.
using StubSource = std::function<std::optional<std::string>(unsigned stubId)>;
void setStubSource(StubSource source);

// The parameter block text for the project (LF-ended lines, no terminator),
// in the project code page.
std::string buildParameterBlock(const Project& project);

// Copies the stub and stores the block; false on failure (reported).
bool writeStubImage(const Project& project, unsigned stubId, const std::string& targetPath, platform::WindowRef owner);

// One resource transaction storing type 1000/id/language 0.
bool updateParameterResource(const std::string& targetPath, unsigned id, const std::string& bytes);

// Produces the executable at exeFolder + exeName. Everything is written
// into a temporary file in the target's folder (the target path followed
// by kCompilingSuffix), which replaces the target only when the stub, the
// block and, in the resource form, the version block and the icons are
// all in; any failure leaves the previous target untouched, is reported,
// and returns false. A project version other than 1 or 2 writes nothing.
// A project with a line break in a setting other than the argument text is
// refused with a message before anything is written.
bool compile(const Project& project, platform::WindowRef owner);

constexpr const char* kCompilingSuffix = ".compiling";

// "app.exe" without its ".exe" (in any letter case); other names as they are.
std::string withoutExeSuffix(const std::string& name);

// The steps of a compile, in order. A test seam can make any of them fail
// (the hook returns false before the step runs), as a real failure of
// that step would.
enum class CompileStep { Stub, Marker, Block, Version, Icons, Replace };
const char* compileStepName(CompileStep step);
using CompileStepHook = std::function<bool(CompileStep)>;
void setCompileStepHook(CompileStepHook hook);
