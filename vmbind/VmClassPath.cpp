#include "vmbind/VmClassPath.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include "platform/MessageBox.h"
#include "platform/PathSeparator.h"
#include "platform/Process.h"
#include "vmbind/VmStartSteps.h"

namespace {

#ifdef _WIN32
#define CASKIT_LIST_SEPARATOR ";"
#else
#define CASKIT_LIST_SEPARATOR ":"
#endif
const char kSplitText[] = ": '" CASKIT_LIST_SEPARATOR "' in this path splits the class path";

}  // namespace

Text vmClassPath(const LaunchParameters& parameters, const Text& text, bool embeddedJar) {
    const char separator = platform::kListSeparator;
    const bool folderSplits = parameters.exeFolder.find(separator) != Text::npos;
    if ((folderSplits && parameters.callerFolder) || (embeddedJar && parameters.exeName.find(separator) != Text::npos)) {
        platform::showMessage(nullptr, (parameters.exeFolder + parameters.exeName + kSplitText).c_str(), "Error",
                              platform::kMbOk);
#ifdef _WIN32
        platform::endProcess(1);
#else
        _exit(1);
#endif
    }
    if (!embeddedJar) return finishClassPath(parameters, text);
    return (folderSplits ? parameters.exeName : parameters.exeFolder + parameters.exeName) + separator +
           finishClassPath(parameters, text);
}
