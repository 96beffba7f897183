// Filling the parameter object from the command line and the stored block.
#include "launcher/LaunchParameters.h"

#include "launcher/DiagnosticLog.h"
#include "launcher/ModeMarker.h"
#include "launcher/ParameterTrailer.h"
#include "platform/Keyboard.h"

void LaunchParameters::parseCommandLine(const std::string& commandLine) {
    if (platform::isDiagnosticKeyHeld()) {
        platform::beep(4000, 500);
        diagnosticsEnabled = true;
    }
    if (diagnosticsEnabled) diagnosticLog().writeLine("#Command Line Args:" + commandLine);

    // Command-line tokens are taken as they are (no expansion). An empty
    // quoted token is an empty argument; only the end of the text ends
    // the list.
    for (std::string& token : splitArguments(commandLine)) arguments.push_back(std::move(token));
    splitModulePath(exeFolder, exeName);
}

void LaunchParameters::loadParameters() {
    std::string marker;
    loadParameterResource(1, marker);
    std::string block;
    if (isStandardMarker(marker)) {
        block = readParameterTrailer(exeFolder + exeName);
    } else {
        loadParameterResource(2, block);
    }
    parseBlock(block);
}
