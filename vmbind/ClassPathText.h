#pragma once
// The class-path text handed to the VM.

#include "platform/List.h"
#include "platform/Text.h"

// Every entry followed by `separator`; empty for an empty list.
Text joinClassPath(const List<Text>& classPath, char separator);

// JDK 1.2 launcher: "." + separator, then the discovered class library and
// a separator when the registered runtime is used and one was found, then
// the joined list.
Text jdk12ClassPathText(const Text& binaryPath, const Text& classLib, const Text& joined, char separator);

// JDK 1.1 launcher: "." + separator + the joined list + the VM's default
// class path (none when the VM left it null).
Text jdk11ClassPathText(const Text& joined, const char* vmDefault, char separator);

// The executable's own file (`ownPath`) in front of `classPathText` when
// it carries the program's jar (the "embeddedjar" setting), so that the
// program's classes and resources load from it first; `classPathText`
// alone otherwise.
Text withEmbeddedJar(bool embeddedJar, const Text& ownPath, const Text& classPathText, char separator);
