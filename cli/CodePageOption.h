#pragma once
// caskit's command line and output against the project's text: on Linux
// the command line and output are UTF-8 and project text is in an ANSI
// code page, 1252 unless "--code-page N" (taken by every command) says
// otherwise. On Windows both are the system's ANSI code page.

#include <optional>
#include <string>

bool isCodePageOption(const std::string& name);

// The code page of this command's project text: the system's default,
// "--code-page", or the one the project records. Every Project the
// command makes or reads takes it as its text code page.
unsigned commandCodePage();

// Sets the project code page from the option's value; an error text when
// it is not a code page this system can use.
std::optional<std::string> applyCodePageOption(const std::string& value);

// The code page a project records: what "--code-page" gave when it names
// another than 1252 (Linux), else 0 (nothing recorded: a project without a
// record is in 1252 there, and in the system's code page on Windows).
unsigned codePageToRecord();

// Makes the project's recorded code page (0: none) the one its text is
// read in; an error text naming both when "--code-page" gave another, or
// (on Windows) when the system's code page is another.
std::optional<std::string> adoptRecordedCodePage(unsigned recorded);

// A command-line word as project text in `text`; an error text naming the
// option and the character the code page cannot hold.
std::optional<std::string> projectTextOf(const std::string& option, const std::string& word, std::string& text);

// The help paragraph for --code-page (empty where the option is not offered).
const char* codePageHelp();
