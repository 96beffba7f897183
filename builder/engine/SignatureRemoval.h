#pragma once
// A signed stub carries its Authenticode certificate table at the end of
// the file. Anything added to the stub voids the signature, and settings
// appended after the table would not be found: the compile removes it.

#include <string>

// Removes the certificate table of the PE image in `file` (the table's
// bytes and its data directory entry; the header checksum follows).
// False, leaving `file` as it was, when it is no PE image or carries no
// certificate table.
bool removeCertificateTable(std::string& file);
