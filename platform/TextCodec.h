#pragma once
// Text in a code page to and from UTF-16, through the system's own tables
// (MultiByteToWideChar / WideCharToMultiByte on Windows, iconv elsewhere).
// Code pages are Windows numbers: 1252, 932, 65001 (UTF-8); 0 is the
// system's ANSI code page on Windows.

#include <cstddef>
#include <optional>
#include <string>

namespace platform {

constexpr unsigned kUtf8CodePage = 65001;

// The code page of the system's own text (command lines, file names,
// output): the ANSI code page (0) on Windows, UTF-8 elsewhere.
unsigned systemCodePage();
// The ANSI code page stored text is in unless told otherwise: the system's
// (0) on Windows; elsewhere 1252, that of Western Windows systems.
unsigned defaultAnsiCodePage();

// Bytes in `codePage` to UTF-16. Bytes that form no character of the code
// page become U+FFFD and set `invalid` (when given). nullopt when the
// system cannot convert from the code page at all.
std::optional<std::u16string> decodeText(const std::string& bytes, unsigned codePage, bool* invalid = nullptr);

// UTF-16 to bytes in `codePage`, exactly or not at all: nullopt when a
// character has no place in the code page (`failedAt`, when given, is then
// the index of its first unit) or when the system cannot convert to the
// code page (`failedAt` = the text's size).
std::optional<std::string> encodeText(const std::u16string& text, unsigned codePage, std::size_t* failedAt = nullptr);

}  // namespace platform
