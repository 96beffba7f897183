#include "platform/CodePage.h"
#include "platform/PathText.h"

Text utf8FromAnsi(const Text& ansi) { return ansi; }

Text ansiFromUtf8(const Text& utf8) { return utf8; }

bool platform::isLeadByte(char) { return false; }
