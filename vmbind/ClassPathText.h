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

// The class-path text as the VM gets it, entry by entry (the empty entry
// after a final separator included). With a `base` folder (the
// executable's, with its trailing separator, when the caller's folder stays
// the current one) every entry that is not absolute is made absolute
// against it: "." and an empty entry, which the VM takes for the current
// folder, become the base itself. Then an entry whose last part is "*"
// stands for the .jar and .JAR files directly in its folder ("*" alone:
// the current one), in the order the system lists them; without any, the
// entry goes. A folder that cannot be listed gives no entries and its
// entry is added to `unlisted`. A "*" anywhere else is part of the name.
Text vmClassPathText(const Text& text, const Text* base, char separator, List<Text>& unlisted);
