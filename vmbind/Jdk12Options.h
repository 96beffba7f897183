#pragma once
// The option list of the JDK 1.2 VM start and its diagnostic dump.

#include "launcher/LaunchParameters.h"

// "-Djava.class.path=" + class path, "-Djava.compiler=NONE" when the JIT is
// off, "-Xms<n>k", "-Xmx<n>k", "-Xnoclassgc" when class GC is off, then
// every property (already complete "-D" options) in list order. The list
// grows as needed: every property reaches the VM.
List<Text> jdk12Options(const LaunchParameters& parameters, const Text& classPathText);

// The log lines of the JVM parameter dump, one writeLine each.
List<Text> jdk12DumpLines(const List<Text>& options);
