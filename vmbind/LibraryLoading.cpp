#include "vmbind/LibraryLoading.h"

#include "platform/MessageBox.h"
#include "vmbind/RuntimeDiscovery.h"
#include "vmbind/RuntimeSearch.h"
#include "vmbind/SearchPath.h"

const char* const kInternalRuntime = "#internal#";

static LoadStep load(const Text& path) { return LoadStep{LoadStep::Kind::Load, path, Text()}; }
static LoadStep message(const char* text, const char* caption) {
    return LoadStep{LoadStep::Kind::Message, text, caption};
}
static LoadStep search() { return LoadStep{LoadStep::Kind::Search, Text(), Text()}; }

List<LoadStep> loadingPlan(const RuntimeProfile& profile, const Text& binaryPath, const Text& discoveredLib) {
    List<LoadStep> plan;
    if (binaryPath != kInternalRuntime) plan.push_back(load(binaryPath));
    if (profile.search == RuntimeSearchPlace::BeforeBareName) plan.push_back(search());
    bool triesDiscovered = !discoveredLib.empty() ||
                           (binaryPath != kInternalRuntime && profile.configuredPathTriesEmptyDiscovery);
    if (triesDiscovered)
        plan.push_back(load(discoveredLib));
    else
        plan.push_back(message(profile.registryText, profile.registryCaption));
    plan.push_back(load(profile.bareLibraryName));
    if (profile.search == RuntimeSearchPlace::AfterTable) plan.push_back(search());
    plan.push_back(message(profile.notFoundText, profile.notFoundCaption));
    return plan;
}

static void show(const LoadStep& step, const Text& text) {
    platform::showMessage(nullptr, text.c_str(), step.caption.c_str(), platform::kMbOk);
}

platform::DynamicLibrary followLoadingPlan(const LaunchParameters& parameters, const RuntimeProfile& profile,
                                           const SearchHooks* hooks) {
    const List<LoadStep> plan = loadingPlan(profile, parameters.binaryPath, gJDKRuntimeLib);
    const bool configured = parameters.binaryPath != kInternalRuntime;
    bool searchAhead = hooks != nullptr;
    // A message of the table before the search waits for it (there is at
    // most one: the registry message).
    const LoadStep* held = nullptr;
    for (size_t i = 0; i < plan.size(); ++i) {
        const LoadStep& step = plan[i];
        if (step.kind == LoadStep::Kind::Message) {
            if (searchAhead)
                held = &step;
            else if (hooks && i + 1 == plan.size())
                hooks->showNotFound(*hooks->search, step.text.c_str(), step.caption.c_str());
            else
                show(step, step.text);
            continue;
        }
        if (step.kind == LoadStep::Kind::Search) {
            if (!hooks) continue;
            searchAhead = false;
            if (hooks->run(*hooks->search)) return static_cast<platform::DynamicLibrary&&>(hooks->search->library);
            updatePath(parameters, profile);  // PATH as the table had it
            if (held) show(*held, held->text);
            held = nullptr;
            continue;
        }
        if (step.text.empty()) continue;
        if (hooks && !hooks->admits(*hooks->search, i == 0 && configured ? "binarypath" : "registry", step.text))
            continue;
        platform::DynamicLibrary library = platform::loadLibrary(step.text.c_str());
        if (library) {
            if (held) show(*held, held->text);
            return library;
        }
    }
    return platform::DynamicLibrary();
}
