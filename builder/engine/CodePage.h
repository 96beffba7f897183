#pragma once
// The code page of project text, and its conversions.
//
// Project text (every string of a Project, the project file, the block of a
// Windows launcher) is 8-bit text in the project's ANSI code page. The
// system's own text (command lines, file names, output) is in
// platform::systemCodePage(): on Windows that is the same ANSI code page,
// so nothing is converted there; elsewhere it is UTF-8.

#include <optional>
#include <string>

// The code page of project text unless a project says otherwise: the
// system's ANSI code page on Windows, 1252 elsewhere. There is no
// process-wide code page: each project carries the one its text is in
// (Project::textCodePage), and every conversion names it.
unsigned defaultCodePage();
// Whether project text can be in `codePage`: the system converts it and it
// is an ANSI code page (one whose first 128 characters are ASCII, as the
// line-based block needs).
bool isProjectCodePage(unsigned codePage);

// Project text in `codePage` to UTF-16 (the version block's strings).
// Bytes that form no character of the code page become U+FFFD.
std::u16string ansiToUtf16(const std::string& text, unsigned codePage);
// Project text to UTF-8 (the block of a Linux launcher), likewise.
std::string ansiToUtf8(const std::string& text, unsigned codePage);
// Project text as system text (output; paths for the file functions).
std::string ansiToSystem(const std::string& text, unsigned codePage);
// System text as project text in `codePage`, exactly: nullopt when a
// character has no place in the code page or the text is not valid system
// text; `problem` then says which, naming the character.
std::optional<std::string> systemToAnsi(const std::string& text, unsigned codePage, std::string& problem);
