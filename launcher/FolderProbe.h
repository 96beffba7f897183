#pragma once
// Whether a folder exists and can be written: creates the hidden probe
// file "zy8zxx.zxi" inside it and deletes it at once.

#include "platform/Text.h"

// The probe file's path inside `folder`: the name is joined with the path
// separator unless the folder already ends with one ("" gives the root).
Text folderProbePath(const Text& folder);

// True when the probe file could be created (its deletion is not checked).
bool isFolderWritable(const Text& folder);
