#pragma once
// The ".csk" file association, written at every start of the builder.

#include <string>

// HKEY_CLASSES_ROOT\.csk = "Caskit Project" and
// "Caskit Project\shell\open\command" = "<builder path>" #open#%1.
// Failures are ignored.
void writeFileAssociation();

// The open command for a builder at `builderPath` (the path in quotes, so
// a path with blanks reaches the builder whole).
std::string associationCommand(const std::string& builderPath);
