#include "builder/engine/Jdk11Sizes.h"

#include "vmbind/SizeNumber.h"

std::optional<std::string> jdk11SizeProblem(const Project& project) {
    if (project.getProjectVersion() != static_cast<std::int32_t>(ProjectVersion::Jdk11)) return std::nullopt;
    const struct {
        const char* name;
        std::uint32_t kilobytes;
    } sizes[] = {{"minimum heap", project.minHeap()},
                 {"maximum heap", project.maxHeap()},
                 {"native stack", project.maxNativeStack()},
                 {"Java stack", project.maxJavaStack()}};
    for (const auto& size : sizes)
        if (size.kilobytes > kLargestJdk11Kilobytes)
            return "The " + std::string(size.name) + " of " + std::to_string(size.kilobytes) +
                   " KB does not fit a JDK 1.1 runtime, which takes at most " +
                   std::to_string(kLargestJdk11Kilobytes) + " KB (2 GB less 1 KB).";
    return std::nullopt;
}
