#include "vmbind/LibraryLoading.h"

#include "platform/MessageBox.h"
#include "vmbind/RuntimeDiscovery.h"

const char* const kInternalRuntime = "#internal#";

static LoadStep load(const Text& path) { return LoadStep{LoadStep::Kind::Load, path, Text()}; }
static LoadStep message(const char* text, const char* caption) {
    return LoadStep{LoadStep::Kind::Message, text, caption};
}

List<LoadStep> loadingPlan(const RuntimeProfile& profile, const Text& binaryPath, const Text& discoveredLib) {
    List<LoadStep> plan;
    if (binaryPath != kInternalRuntime) plan.push_back(load(binaryPath));
    bool triesDiscovered = !discoveredLib.empty() ||
                           (binaryPath != kInternalRuntime && profile.configuredPathTriesEmptyDiscovery);
    if (triesDiscovered)
        plan.push_back(load(discoveredLib));
    else
        plan.push_back(message(profile.registryText, profile.registryCaption));
    plan.push_back(load(profile.bareLibraryName));
    plan.push_back(message(profile.notFoundText, profile.notFoundCaption));
    return plan;
}

platform::DynamicLibrary loadRuntimeLibrary(const LaunchParameters& parameters, const RuntimeProfile& profile) {
    for (const LoadStep& step : loadingPlan(profile, parameters.binaryPath, gJDKRuntimeLib)) {
        if (step.kind == LoadStep::Kind::Message) {
            platform::showMessage(nullptr, step.text.c_str(), step.caption.c_str(), platform::kMbOk);
            continue;
        }
        if (step.text.empty()) continue;
        platform::DynamicLibrary library = platform::loadLibrary(step.text.c_str());
        if (library) return library;
    }
    return platform::DynamicLibrary();
}
