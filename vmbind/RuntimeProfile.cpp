#include "vmbind/RuntimeProfile.h"

namespace {

// The message shown when the registry gives no library path; the two
// Windows launchers differ only in the JDK version and the library named.
#define CASKIT_REGISTRY_MESSAGE(jdk, library)                                                          \
    "This machine's registry has a valid entry for JDK " jdk "\nHowever, the " library                \
    " does not exist where the registry says it does.\nReinstall JDK " jdk                             \
    ". or edit your registry to point to your Java binary directory.\n\n"                              \
    "This application will now try looking on the path environment variable."
#define CASKIT_ENTRY_POINT_MESSAGE(library) "Can't locate JVM entry points in " library ".Incompatible or corrupt DLL."

const char* const kJdk11Keys[] = {"SOFTWARE\\JavaSoft\\Java Development Kit\\1.1\\",
                                  "SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.1.6\\", nullptr};
const char* const kJdk12Keys[] = {"SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.2\\", nullptr};
const char* const kNoKeys[] = {nullptr};

const RuntimeProfile kJdk11 = {
    kJdk11Keys, nullptr, "\\bin\\", "\\bin\\javai.dll", "\\lib\\classes.zip;", "",
    /*probesHome*/ true, /*logsDiscovery*/ true, /*rewritesPath*/ true, /*configuredPathTriesEmptyDiscovery*/ true,
    "javai.dll", "Can't locate Javai.dll", CASKIT_REGISTRY_MESSAGE("1.1.x", "javai.dll"), "Can't locate javai.dll",
    "Error", CASKIT_ENTRY_POINT_MESSAGE("javai.dll")};

const RuntimeProfile kJdk12 = {
    kJdk12Keys, nullptr, "\\bin\\", "\\bin\\classic\\jvm.dll", "\\lib\\rt.jar", "RuntimeLib",
    /*probesHome*/ true, /*logsDiscovery*/ false, /*rewritesPath*/ true, /*configuredPathTriesEmptyDiscovery*/ false,
    "jvm.dll", "Can't locate Jvm.dll", CASKIT_REGISTRY_MESSAGE("1.2", "jvm.dll"), "Can't locate jvm.dll", "Error",
    CASKIT_ENTRY_POINT_MESSAGE("jvm.dll")};

// A system runtime's home is not writable by its users: existence of the
// library is left to the loader.
const RuntimeProfile kLinuxJvm = {
    kNoKeys, "JAVA_HOME", "/bin/", "/lib/server/libjvm.so", "", "",
    /*probesHome*/ false, /*logsDiscovery*/ false, /*rewritesPath*/ false, /*configuredPathTriesEmptyDiscovery*/ false,
    "libjvm.so", "Can't locate libjvm.so",
    "JAVA_HOME does not name a Java runtime.\n"
    "Set JAVA_HOME to the folder of a Java runtime.\n"
    "\n"
    "This application will now try the library search path.",
    "Can't locate libjvm.so", "Error", "Can't locate JVM entry points in libjvm.so.Incompatible or corrupt library."};

}  // namespace

const RuntimeProfile& jdk11Profile() { return kJdk11; }
const RuntimeProfile& jdk12Profile() { return kJdk12; }
const RuntimeProfile& linuxJvmProfile() { return kLinuxJvm; }
