#pragma once
// The options file beside the executable, where the user of a program can
// add VM options without rebuilding it: the executable's name without
// ".exe" followed by ".options" (app.exe and app both read app.options).

#include "platform/List.h"
#include "platform/Text.h"

// The largest options file read.
const size_t kMostOptionsFileBytes = 65536;

// The VM options of an options file's bytes: UTF-8 text (a byte-order mark
// is allowed), one option per line, lines ending in LF or CR LF. Blanks
// and tabs around a line are dropped; empty lines and lines starting with
// '#' are skipped. Each option is converted to the system's code page
// (the ANSI code page on Windows); a %NAME% as in properties (the span
// from the first to the last '%' other than %EXEDIR%, by the start-up
// environment's value of the name between them, unchanged when it is not
// set), then every %EXEDIR% by `exeDir`, whose own '%' are kept as they are. False at the first line that does not
// begin with '-', is not UTF-8, or holds a character the VM cannot receive
// (a NUL, or one the code page lacks), with its number (from 1) in `line`
// and the reason in `problem`; `options` then holds the lines before it.
bool readOptionsFile(const char* bytes, size_t size, const Text& exeDir, List<Text>& options, size_t& line,
                     const char*& problem);

// The options file of the running executable, read into `options` (none
// when there is no file). False after a message (caption "Error") that
// names the file and, where one is at fault, the line: a file that cannot
// be read, is larger than kMostOptionsFileBytes, or fails readOptionsFile.
bool loadOptionsFile(const Text& exeDir, List<Text>& options);
