#pragma once
// The systems the command-line builder produces executables for, and the
// stub folder it copies from: stubs/<target>/ holding stub11.exe,
// stub12.exe and its console twin stub12c.exe (Windows), or stub12
// (Linux), beside it in a build tree or a Windows zip, or
// lib/caskit/stubs/<target>/ of an installation.

#include <optional>
#include <string>

enum class Target { WindowsX64, WindowsX86, LinuxX64 };

// "windows-x64", "windows-x86", "linux-x64".
const char* targetName(Target target);
std::optional<Target> parseTarget(const std::string& name);
// The system this caskit itself runs on.
Target hostTarget();
// Only Windows executables carry resources.
inline bool targetHasResources(Target target) { return target != Target::LinuxX64; }

// File name of the stub for a resource id (113 stub11, 114 stub12, 115
// stub12c) on a target; nullopt when the target has no such stub (no
// Linux stub11; the Linux stub12 serves for 115).
std::optional<std::string> stubFileName(Target target, unsigned stubId);

// The folder holding the target's stubs: `override` when given, else
// stubs/<target>/ beside the running caskit when it exists, else
// ../lib/caskit/stubs/<target>/ from the folder of caskit's real path when
// that exists, else the first. Ends with a separator.
std::string stubFolder(Target target, const std::string& override);
