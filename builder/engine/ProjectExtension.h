#pragma once
// The project file's extension: the settings beyond the original record,
// stored after its last field where readers of the original record never
// look. Layout: the four bytes "CSKX", the 32-bit length of what follows
// (the file ends there), then records, each a 32-bit tag, a 32-bit length
// and that many bytes, in ascending tag order (little-endian throughout). Only settings that differ from their defaults are written,
// so a project that uses none of them has no extension at all and its file
// is exactly the original record.

#include <cstddef>
#include <string>

#include "builder/engine/ExtendedSettings.h"

// The extension's bytes; empty when every setting has its default and no
// record of a later Caskit is kept.
std::string encodeProjectExtension(const ExtendedSettings& settings);

// Reads the extension from the bytes after the record's last field (no
// bytes: no extension, every setting at its default). Strict: false for a
// wrong magic, a length other than that of the bytes after it, a record
// cut short, tags out of order or repeated, or a
// value that does not fit its setting (a switch other than 0 or 1, a
// number not 4 bytes long, a choice out of range, a list whose entries do
// not exactly fill it, an empty list entry, a zero byte in text).
// Records with tags this version does not know are kept as they are.
bool decodeProjectExtension(const char* data, std::size_t size, ExtendedSettings& settings);
