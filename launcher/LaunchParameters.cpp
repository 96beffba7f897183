// Filling the parameter object from the command line and the stored block.
#include "launcher/LaunchParameters.h"

#include "launcher/DiagnosticLog.h"
#include "launcher/ModeMarker.h"
#include "launcher/ParameterTrailer.h"
#include "launcher/ModulePath.h"
#include "platform/Keyboard.h"
#include "platform/OwnModule.h"
#include "platform/PathSeparator.h"

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
    // The log's place is fixed before its first line: beside the executable.
    bool shortForm = false;
    splitPathAt(platform::ownModulePath(&shortForm), platform::kPathSeparator, exeFolder, exeName);
    diagnosticLog().placeBeside(exeFolder, exeName);
    if (diagnosticsEnabled) diagnosticLog().writeLine("#Command Line Args:" + logText);

    // Command-line tokens are taken as they are (no expansion).
    for (Text& token : tokens) arguments.push_back(static_cast<Text&&>(token));
    if (shortForm && diagnosticsEnabled)
        diagnosticLog().writeLine("#Executable path outside the ANSI code page or too long; using its short form " +
                                  exeFolder + exeName);
}

void LaunchParameters::loadParameters() {
    Text marker;
    loadParameterResource(1, marker);
    Text block;
    if (isStandardMarker(marker)) {
        // The executable's own file, read through a path of any characters.
        platform::File self = platform::openOwnExecutable();
        block = readParameterTrailer(self);
    } else {
        loadParameterResource(2, block);
    }
    parseBlock(block);
}
