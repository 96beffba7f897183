#include "vmbind/RestartOnExit.h"

#include "launcher/DecimalNumber.h"
#include "launcher/DiagnosticLog.h"
#include "platform/Console.h"
#include "platform/Environment.h"
#include "platform/Instance.h"
#include "platform/OwnModule.h"
#include "platform/Process.h"
#include "vmbind/RestartLimit.h"

namespace {

// Set by the first process for the processes it starts.
constexpr char kVariable[] = "CASKIT_RESTARTED";
const char kExitOption[] = "exit";  // read-only: the VM never writes an option

int gRestartCode = 0;
RestartHistory gHistory;
bool gDiagnostics = false;

void stopLine(const char* why, int code) {
    Text line = "The program was not started again: ";
    line += why;
    line += "; exit code ";
    line += decimalText(code);
    platform::writeErrorLine(line.c_str());
    if (gDiagnostics) diagnosticLog().writeLine(line);
}

// Called by the VM as it ends the process, on its own thread, with the
// other threads stopped. Returning lets the VM end it with `code`.
void JNICALL restartOnExit(jint code) {
    if (code != gRestartCode) return;
    platform::setVariable(kVariable, "1");
    platform::releaseInstance();  // the new process is the program's one instance
    while (code == gRestartCode) {
        if (!takeRestart(gHistory, platform::millisecondClock())) {
            stopLine("it was restarted 5 times within 60 seconds already", code);
            break;
        }
        if (gDiagnostics) {
            Text line = "Restart on exit code ";
            line += decimalText(code);
            diagnosticLog().writeLine(line);
        }
        const int next = platform::runOwnProgramAgain();
        if (next < 0) {
            stopLine("the executable could not be started", code);
            break;
        }
        code = next;
    }
    platform::endProcess(code);
}

}  // namespace

void addRestartHook(const LaunchParameters& parameters, List<JavaVMOption>& options) {
    if (parameters.restartExitCode == 0) return;
    Text mark;
    if (platform::startupVariable(kVariable, mark)) {
        platform::setVariable(kVariable, nullptr);
        return;
    }
    gRestartCode = parameters.restartExitCode;
    gDiagnostics = parameters.diagnosticsEnabled;
    JavaVMOption option;
    option.optionString = const_cast<char*>(kExitOption);
    option.extraInfo = reinterpret_cast<void*>(&restartOnExit);
    options.push_back(option);
}
