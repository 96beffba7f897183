#pragma once
// Process environment: the live one, and the snapshot taken when the
// process started (before any variable was changed by this program).

#include "platform/List.h"
#include "platform/Text.h"

namespace platform {

// NAME=VALUE entries as the process received them at start-up.
const List<Text>& startupEnvironment();

// Value of `name` in the start-up snapshot; names compare without regard
// to case on Windows and exactly on Linux. False when the variable was not
// set.
bool startupVariable(const char* name, Text& value);

// Sets a variable of the live process environment (an empty value is set
// as empty; a null one removes the variable). Returns false on failure
// (empty name, '=' in name).
bool setVariable(const char* name, const char* value);

// Makes `folder` the current directory; false on failure.
bool setCurrentDirectory(const char* folder);

// The current directory in UTF-8, exactly as the system holds it; empty
// on failure.
Text currentFolderUtf8();

}  // namespace platform
