#pragma once
// The move call behind platform::replaceFile on Windows. Tests point it at
// a function that fails with ERROR_CALL_NOT_IMPLEMENTED, as MoveFileExA
// does on Windows 95 and 98, to take the path those systems take.

#include <windows.h>

namespace platform {

using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
extern MoveFileExFunction moveFileExForReplace;

}  // namespace platform
