#pragma once
// The builder's classification of the running system: 1 Win32s, 2 Windows
// 95, 3 Windows 98/ME, 0x10000 Windows NT 3.x, 0x30000 Windows NT 4.0 or
// later, 0 anything else (Linux). Only 0x30000 can update resources.

namespace platform {

constexpr unsigned kPlatformWin32s = 1;
constexpr unsigned kPlatformWin95 = 2;
constexpr unsigned kPlatformWin98 = 3;
constexpr unsigned kPlatformNt3 = 0x10000;
constexpr unsigned kPlatformNt4 = 0x30000;

// Computed once from GetVersionExA and kept for the run.
unsigned platformCode();

// Maps GetVersionExA's fields to the platform code (portable, testable).
unsigned classifyPlatform(unsigned long platformId, unsigned long majorVersion, unsigned long minorVersion);

}  // namespace platform
