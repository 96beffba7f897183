#pragma once
// Filling the JDK 1.1 invocation record from the settings, and its dump.

#include "launcher/LaunchParameters.h"
#include "vmbind/Jdk11InitArgs.h"

// A null-terminated array of private copies of "name=value" texts, alive
// as long as this object.
class PropertyArray {
public:
    explicit PropertyArray(const List<Text>& properties);
    PropertyArray(const PropertyArray&) = delete;
    PropertyArray& operator=(const PropertyArray&) = delete;

    char** data() { return pointers_.data(); }
    size_t size() const { return texts_.size(); }

private:
    List<Text> texts_;
    List<char*> pointers_;
};

// Overwrites the fields the settings govern (all but `classpath`): the
// property array, the four sizes in bytes, verify mode, class GC and
// asynchronous GC. Every other field keeps what the VM's defaults put there.
void applySettings(JDK1_1InitArgs& args, const LaunchParameters& parameters, char** properties);

// The log lines of the JVM parameter dump, one writeLine each.
List<Text> jdk11DumpLines(const JDK1_1InitArgs& args);
