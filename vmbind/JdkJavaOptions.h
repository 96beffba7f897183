#pragma once
// JDK_JAVA_OPTIONS, the variable the `java` launcher of Java 9 and newer
// reads VM options from, honoured the same way.

#include "launcher/LaunchParameters.h"
#include "vmbind/JavaVersion.h"

// The words of `value` as `java` splits the variable: blanks (space, tab,
// line breaks) separate them, single or double quotes group what they
// enclose and are removed. With `comments` (an argument file), a '#' where
// a word would begin comments out the rest of its line. False when a
// quote is not closed.
bool splitOptionWords(const Text& value, bool comments, List<Text>& words);

enum class VmWordProblem { None, Refused, MainClass };

// The VM options of the words of the variable: an option of the module
// system followed by its value as the next word ("--add-opens x", "-p
// dir") is joined into the one-word form a VM option takes
// ("--add-opens=x", "--module-path=dir"); options of the `java` command
// that the VM does not take (-cp with its value, -server, -showversion,
// -splash:...) are left out. Refused, with the word in `word`: what names
// the program to run (-jar, -m, --module); MainClass: a word that is no
// option.
VmWordProblem vmOptionsOfWords(const List<Text>& words, List<Text>& options, Text& word);

// Whether `option` is one of the `java` command's own options that take
// no value (-server, -client, -showversion, -splash:...): the VM does not
// take them, and `java` would not pass them on.
bool isJavaCommandOption(const Text& option);

// Whether `option` decides class-data sharing (-Xshare:..., an archive to
// use or write, a class list, -XX:AOT...).
bool isSharingOption(const Text& option);

// splitOptionWords without comments, then vmOptionsOfWords; false for a
// quote that is not closed or a refused word.
bool splitJdkJavaOptions(const Text& value, List<Text>& options);

// The options of JDK_JAVA_OPTIONS for a runtime of `version` (count 0:
// unknown): none when the variable is not set, and none for a runtime
// older than Java 9 or of unknown version (the log says "JDK_JAVA_OPTIONS
// not used: Java 8.0.392" or "...: Java version unknown"). When they
// are used, "NOTE: Picked up JDK_JAVA_OPTIONS: <value>" goes to standard
// error as `java` writes it, and "@file" words are replaced by the
// options in the file. False after a message: a quote not closed, an
// argument file that cannot be read, a refused word or a main class.
bool jdkJavaOptions(const LaunchParameters& parameters, const JavaVersion& version, List<Text>& options);
