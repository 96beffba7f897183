#pragma once
// The path of folder `target` relative to folder `base`, as the pickers'
// "Relative Path" option gives it, and the comparison of paths the builder
// uses (portable; unit-tested on the host).

#include <string>

// Letter case does not matter, as in Windows paths: "c:\app\" and
// "C:\APP\" name the same folder.
std::string relativePath(const std::string& target, const std::string& base);

// Two paths spelled the same but for the case of ASCII letters (Windows
// also folds the code page's other letters; paths that differ there are
// taken as different).
bool samePathText(const std::string& a, const std::string& b);

// The folder of the file `path` (its part before the last backslash), with
// a relative path resolved against `baseFolder` as a produced program
// resolves it (it runs in its own folder): ".\lib\jvm.dll" against
// "C:\app\" gives "C:\app\lib", a bare file name gives "C:\app".
std::string folderOfFile(const std::string& path, const std::string& baseFolder);
