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

// The project code page: the system's ANSI code page on Windows, 1252
// elsewhere unless set.
unsigned projectCodePage();
// False (and nothing changed) when the system cannot convert the code page
// or it is not an ANSI code page (one whose first 128 characters are ASCII,
// as the line-based block needs).
bool setProjectCodePage(unsigned codePage);

// Project text to UTF-16 (the version block's strings). Bytes that form no
// character of the code page become U+FFFD.
std::u16string ansiToUtf16(const std::string& text);
// Project text to UTF-8 (the block of a Linux launcher), likewise.
std::string ansiToUtf8(const std::string& text);
// Project text as system text (output; paths for the file functions).
std::string ansiToSystem(const std::string& text);
// System text as project text, exactly: nullopt when a character has no
// place in the project code page or the text is not valid system text;
// `problem` then says which, naming the character.
std::optional<std::string> systemToAnsi(const std::string& text, std::string& problem);
