#pragma once
// The WiX source of a bundle's Windows installer, for Debian's wixl: the
// application folder under Program Files\<company>\<product> (the 64-bit
// Program Files for windows-x64), a Start-menu shortcut to the launcher,
// the uninstall entry Windows Installer makes for every product, and a
// major upgrade: a newer version with the same UpgradeCode replaces the
// installed one.

#include <string>
#include <vector>

#include "cli/bundle/BundleFiles.h"

namespace bundle {

// What the installer names, in UTF-8.
struct WixProduct {
    std::string company;
    std::string product;
    std::string version;      // "major.minor.build"
    std::string exeName;      // the launcher, in the application folder
    std::string upgradeCode;  // a GUID
    bool win64 = true;
};

// The source for the files `entries` (listTree) of the application folder
// at `folder` (relative to the source's own folder, where wixl looks).
std::string wixSource(const WixProduct& product, const std::string& folder, const std::vector<TreeEntry>& entries);

// `text` with &, <, > and " written as XML references.
std::string xmlEscaped(const std::string& text);

}  // namespace bundle
