#pragma once
// Linux programs receive their arguments split; the launcher's tokenizer
// wants one command line. Each argument that contains a blank or is empty
// is put in double quotes, and the arguments are joined with single
// blanks, so the tokenizer gives back the same arguments (an argument that
// itself holds a double quote cannot be represented).

#include <string>

std::string joinArguments(int argc, const char* const* argv);
