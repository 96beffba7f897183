#include "vmbind/LibraryLoading.h"

#include "launcher/DiagnosticLog.h"
#include "platform/Console.h"
#include "platform/MessageBox.h"
#include "vmbind/SearchPath.h"

const char* const kInternalRuntime = "#internal#";
const char* const kBundledRuntime = "#bundled#";

static LoadStep load(const Text& path) { return LoadStep{LoadStep::Kind::Load, path, Text()}; }
static LoadStep message(const char* text, const char* caption) {
    return LoadStep{LoadStep::Kind::Message, text, caption};
}
static LoadStep search() { return LoadStep{LoadStep::Kind::Search, Text(), Text()}; }

List<LoadStep> loadingPlan(const RuntimeProfile& profile, const Text& binaryPath, const Text& discoveredLib) {
    List<LoadStep> plan;
    if (binaryPath == kBundledRuntime) {
        plan.push_back(search());
        plan.push_back(message(profile.notFoundText, profile.notFoundCaption));
        return plan;
    }
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

// "the configured VM library <path> could not be loaded: <why>; using
// <taken>", when the configured library failed (`why` not empty).
static void noteReplacedLibrary(const LaunchParameters& parameters, const Text& why, const Text& taken) {
    if (why.empty()) return;
    Text line = "the configured VM library ";
    line += parameters.binaryPath;
    line += " could not be loaded: ";
    line += why;
    line += "; using ";
    line += taken;
    if (parameters.diagnosticsEnabled) diagnosticLog().writeLine(line);
    platform::writeErrorLine(line.c_str());
}

// The loader's reason without the path it names first (dlerror does).
static Text loadFailure(const Text& path) {
    Text why = platform::loadFailureText();
    if (why.startsWith((path + ": ").c_str())) why.erase(0, path.size() + 2);
    return why.empty() ? Text("not loadable") : why;
}

platform::DynamicLibrary followLoadingPlan(const LaunchParameters& parameters, const RuntimeProfile& profile,
                                           RuntimePaths& paths, const SearchHooks* hooks) {
    const List<LoadStep> plan = loadingPlan(profile, parameters.binaryPath, paths.runtimeLib);
    const bool configured = parameters.binaryPath != kInternalRuntime;
    bool searchAhead = hooks != nullptr;
    // A message of the table before the search waits for it (there is at
    // most one: the registry message).
    const LoadStep* held = nullptr;
    Text configuredFailure;  // why the configured library did not load
    for (size_t i = 0; i < plan.size(); ++i) {
        const LoadStep& step = plan[i];
        if (step.kind == LoadStep::Kind::Message) {
            if (searchAhead)
                held = &step;
            else if (hooks && i + 1 == plan.size())
                hooks->showNotFound(hooks->search, step.text.c_str(), step.caption.c_str());
            else
                show(step, step.text);
            continue;
        }
        if (step.kind == LoadStep::Kind::Search) {
            if (!hooks) continue;
            searchAhead = false;
            platform::DynamicLibrary found;
            if (hooks->run(hooks->search, found)) {
                noteReplacedLibrary(parameters, configuredFailure, paths.runtimeLib);
                return found;
            }
            updatePath(parameters, profile, paths.bin);  // PATH as the table had it
            if (held) show(*held, held->text);
            held = nullptr;
            continue;
        }
        if (step.text.empty()) continue;
        const bool isConfigured = i == 0 && configured;
        Text problem;
        if (hooks && !hooks->admits(hooks->search, isConfigured ? "binarypath" : "registry", step.text, problem)) {
            if (isConfigured) configuredFailure = problem;
            continue;
        }
        platform::DynamicLibrary library = platform::loadLibrary(step.text.c_str());
        if (library) {
            if (held) show(*held, held->text);
            noteReplacedLibrary(parameters, configuredFailure, step.text);
            return library;
        }
        if (isConfigured) configuredFailure = loadFailure(step.text);
    }
    return platform::DynamicLibrary();
}
