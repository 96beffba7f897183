// Filling the parameter object from the command line and the stored block.
#include "launcher/LaunchParameters.h"

#include "launcher/DiagnosticLog.h"
#include "launcher/ModeMarker.h"
#include "launcher/ParameterTrailer.h"
#include "platform/Keyboard.h"

void LaunchParameters::parseCommandLine(const Text& commandLine) {
    // An empty quoted token is an empty argument; only the end of the text
    // ends the list.
    parseCommandLine(commandLine, splitArguments(commandLine));
}

void LaunchParameters::parseCommandLine(const Text& logText, List<Text> tokens) {
    if (platform::isDiagnosticKeyHeld()) {
        platform::beep(4000, 500);
        diagnosticsEnabled = true;
    }
    if (diagnosticsEnabled) diagnosticLog().writeLine("#Command Line Args:" + logText);

    // Command-line tokens are taken as they are (no expansion).
    for (Text& token : tokens) arguments.push_back(static_cast<Text&&>(token));
    splitModulePath(exeFolder, exeName);
}

void LaunchParameters::loadParameters() {
    Text marker;
    loadParameterResource(1, marker);
    Text block;
    if (isStandardMarker(marker)) {
        block = readParameterTrailer(exeFolder + exeName);
    } else {
        loadParameterResource(2, block);
    }
    parseBlock(block);
}
