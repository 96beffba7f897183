#pragma once
// A bundle's Debian package, built with dpkg-deb: the application folder
// in /opt/<name>/ (third-party software that brings its own runtime),
// /usr/bin/<name> linking to its launcher, the copyright and changelog
// files Debian asks for, and the lintian overrides for what a private
// runtime under /opt is.

#include <string>
#include <vector>

#include "cli/bundle/IconPng.h"

namespace bundle {

struct DebRequest {
    std::string name;         // the application folder's and the command's name
    std::string exeName;      // the launcher in it
    std::string package;      // Debian package name
    std::string version;
    std::string maintainer;   // "Name <address>"
    std::string summary;      // one line
    std::string description;  // further lines (may be empty)
    std::string copyright;    // the project's legal copyright
    long long time = 0;       // of the changelog entry
    // A desktop entry (usr/share/applications/<package>.desktop) with the
    // hicolor icons, when asked for.
    bool desktopEntry = false;
    std::string title;        // the entry's name
    bool terminal = false;    // a console program
    std::vector<PngIcon> icons;
};

// The desktop entry's text.
std::string desktopEntry(const DebRequest& request);

// A Debian package name made of `name`: lower case, characters outside
// a-z 0-9 + - . as "-"; empty when nothing is left.
std::string debianPackageName(const std::string& name);

// The control file's text; `depends` is its Depends field.
std::string debControl(const DebRequest& request, unsigned long long installedKiB, const std::string& depends);

// The lintian overrides the package ships, one justification each.
std::string debLintianOverrides(const std::string& package);

// Builds `output` from the finished application folder `appFolder`,
// staging the package's tree in `work` (an empty folder).
bool buildDeb(const DebRequest& request, const std::string& appFolder, const std::string& work,
              const std::string& output, std::string& error);

}  // namespace bundle
