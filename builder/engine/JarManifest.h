#pragma once
// The main section of a jar manifest (META-INF/MANIFEST.MF): "Name: value"
// lines ended by CR LF, LF or CR, a line that begins with one blank
// continuing the value before it, and an empty line ending the section.
// Read as Java reads it, so that a manifest Java would refuse is refused
// here too.

#include <string>

// Finds the Main-Class attribute of the main section. False with a
// one-line reason in `error` when the manifest is malformed; true with
// `mainClass` empty when it names no main class.
bool manifestMainClass(const std::string& manifest, std::string& mainClass, std::string& error);
