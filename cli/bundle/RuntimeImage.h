#pragma once
// The private runtime of a bundle: an existing runtime image checked for
// the target's system and bitness and copied, or one linked by jlink with
// the modules the program uses.

#include <optional>
#include <string>
#include <vector>

#include "cli/Targets.h"

namespace bundle {

// The VM library of the runtime at `home` for `target` (lib/server/libjvm.so,
// bin/server/jvm.dll or bin/client/jvm.dll), checked by its header;
// nullopt with `error` naming the runtime and what is wrong.
std::optional<std::string> checkRuntime(const std::string& home, Target target, std::string& error);

// What jlink needs: the JDK whose jlink and jdeps run, the target's jmods
// (empty: the JDK's own), the jars and class folders to read, the modules
// asked for besides.
struct LinkRequest {
    std::string jdk;
    std::string jmods;
    std::vector<std::string> classPath;
    std::vector<std::string> addModules;
};

// Links the runtime into `output` (which must not exist). Notes go to
// `notes` (a version of the jmods other than jlink's); false with `error`.
bool linkRuntime(const LinkRequest& request, const std::string& output, std::vector<std::string>& notes,
                 std::string& error);

// The feature version of a "java.base@17.0.9" or "17.0.9+9" text; 0 when
// there is none.
int featureVersion(const std::string& text);

}  // namespace bundle
