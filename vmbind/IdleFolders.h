#pragma once
// Folders on a cached start's class path that give the program nothing of
// their own. The VM archives the classes of the files in front of the
// first folder on the class path only (it refuses a folder that holds
// anything), and the executable's folder comes first on every JDK 1.2
// class path, so without a move a program's own jars never reach the
// archive.

#include "platform/Text.h"

// Moves every idle folder of `classPath` (entries separated by the
// system's list separator; an empty entry is the current folder) behind
// the other entries, keeping the order of both. A folder is idle when all
// it holds, a few levels down and a bounded number of entries in all, is
// files that are themselves on the class path, the executable
// (`executable`), its options file and log, and the folder of the runtime
// whose VM library is `library`: no class or resource comes from it that
// a file in front of it would not give first, so where it stands changes
// nothing the program loads. A folder that holds anything else stays
// where it is. False, with `classPath` unchanged, when nothing moves.
bool moveIdleFolders(Text& classPath, const Text& executable, const Text& library);
