#pragma once
// The last message of a launcher that found no Java runtime, with the
// address the project gives for getting a suitable one.

#include "platform/Text.h"

// Shows `text` with `caption`. With a `downloadUrl`, the text names it: on
// Windows the message asks whether to open it (Yes opens it with the
// system's browser, No ends); on Linux, whose messages go to standard
// error, the address is printed with the text.
void showNotFoundMessage(const Text& text, const char* caption, const Text& downloadUrl);

// The same with the system's part given: whether a message can ask, and
// how an address is opened.
void showNotFoundMessage(const Text& text, const char* caption, const Text& downloadUrl, bool asks,
                         bool (*openAddress)(const char* address));
