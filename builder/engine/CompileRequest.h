#pragma once
// What a compile is asked to do: the project, where its stub images come
// from, the form its settings take, the file it writes, and the output its
// writes go through.

#include <functional>
#include <optional>
#include <string>

class Project;

// The steps of a compile that write, in order.
enum class CompileStep { Stub, Marker, Block, Version, Icons, Manifest, Splash, Jar, Replace };
const char* compileStepName(CompileStep step);

// Every write of a compile (the stub image, each resource update, the jar,
// the replacement of the target) runs through its output as one step. The
// real output runs each as it is; a test's own can make a step fail, or
// stop there, as a real failure or a killed process would.
class CompileOutput {
public:
    using Write = std::function<bool(std::string& error)>;  // false with the reason in `error`
    virtual ~CompileOutput() = default;
    virtual bool run(CompileStep step, const Write& write, std::string& error);
};

// The stub image of a stub id (kStub11ResourceId...), or nothing.
using StubSource = std::function<std::optional<std::string>(unsigned stubId)>;
// The running program's own "EXE" resources (the builder's stubs).
std::optional<std::string> ownStubImage(unsigned stubId);

// Resources: the marker and block as resources, with the version block,
// icons and manifest. Trailer: the block after the image.
enum class SettingsForm { Resources, Trailer };

struct CompileRequest {
    // The builder's compile: its own stubs, the form the project can
    // write, into the project's exe folder and name.
    explicit CompileRequest(const Project& project);

    const Project& project;
    StubSource stubs = ownStubImage;
    SettingsForm form;
    std::string outputPath;            // system text
    CompileOutput* output = nullptr;  // null: the real files
};
