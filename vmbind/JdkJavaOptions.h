#pragma once
// JDK_JAVA_OPTIONS, the variable the `java` launcher of Java 9 and newer
// reads VM options from, honoured the same way.

#include "launcher/LaunchParameters.h"
#include "vmbind/JavaVersion.h"

// The options of the variable's value as `java` splits it: blanks
// (space, tab, line breaks) separate them, single or double quotes group
// what they enclose and are removed. An option of the module system
// followed by its value as the next word ("--add-opens x", "-p dir") is
// joined into the one-word form a VM option takes ("--add-opens=x",
// "--module-path=dir"). False when a quote is not closed.
bool splitJdkJavaOptions(const Text& value, List<Text>& options);

// The options of JDK_JAVA_OPTIONS for a runtime of `version` (count 0:
// unknown): none when the variable is not set, and none for a runtime
// older than Java 9 or of unknown version (the log says "JDK_JAVA_OPTIONS
// not used: Java 8.0.392" or "...: Java version unknown"). When they
// are used, "NOTE: Picked up JDK_JAVA_OPTIONS: <value>" goes to standard
// error as `java` writes it. False after the message `java` gives for a
// quote that is not closed.
bool jdkJavaOptions(const LaunchParameters& parameters, const JavaVersion& version, List<Text>& options);
