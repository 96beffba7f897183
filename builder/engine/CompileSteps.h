#pragma once
// The writing half of a compile, with everything read and checked before.

#include <cstdint>
#include <optional>
#include <string>

#include "builder/engine/CompileInputs.h"
#include "builder/engine/CompileRequest.h"
#include "builder/engine/Reporter.h"
#include "platform/FileSystem.h"

struct CompileJob {
    const CompileRequest& request;
    const CompileInputs& inputs;
    CompileOutput& output;
    Reporter& reporter;
    unsigned stubId = 0;
    std::optional<std::uint32_t> buildTime;  // the time stamp to set, if any
};

// Writes the executable into `temporary` (created for request.outputPath)
// and puts it in place of request.outputPath. Every failure is reported
// (the temporary's owner then removes it); a missing stub image returns
// false unreported.
bool writeAndReplace(const CompileJob& job, platform::ReplacementFile& temporary);
