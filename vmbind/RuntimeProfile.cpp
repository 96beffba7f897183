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

// Every text is an array of its own, so a launcher carries only the texts
// of the profile it uses (each array is a section the linker can drop).
const char kJdk11Key1[] = "SOFTWARE\\JavaSoft\\Java Development Kit\\1.1\\";
const char kJdk11Key2[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.1.6\\";
const char kJdk12Key[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.2\\";
const char* const kJdk11Keys[] = {kJdk11Key1, kJdk11Key2, nullptr};
const char* const kJdk12Keys[] = {kJdk12Key, nullptr};
const char* const kNoKeys[] = {nullptr};

const char kWinBin[] = "\\bin\\";
const char kJdk11Library[] = "\\bin\\javai.dll";
const char kJdk11ClassLibrary[] = "\\lib\\classes.zip;";
const char kJdk11Bare[] = "javai.dll";
const char kJdk11RegistryCaption[] = "Can't locate Javai.dll";
const char kJdk11RegistryText[] = CASKIT_REGISTRY_MESSAGE("1.1.x", "javai.dll");
const char kJdk11NotFound[] = "Can't locate javai.dll";
const char kJdk11EntryPoints[] = CASKIT_ENTRY_POINT_MESSAGE("javai.dll");

const char kJdk12Library[] = "\\bin\\classic\\jvm.dll";
const char kJdk12ClassLibrary[] = "\\lib\\rt.jar";
const char kJdk12RuntimeLib[] = "RuntimeLib";
const char kJdk12Bare[] = "jvm.dll";
const char kJdk12RegistryCaption[] = "Can't locate Jvm.dll";
const char kJdk12RegistryText[] = CASKIT_REGISTRY_MESSAGE("1.2", "jvm.dll");
const char kJdk12NotFound[] = "Can't locate jvm.dll";
const char kJdk12EntryPoints[] = CASKIT_ENTRY_POINT_MESSAGE("jvm.dll");
const char kWindowsLayout1[] = "bin\\server\\jvm.dll";
const char kWindowsLayout2[] = "bin\\client\\jvm.dll";
const char kWindowsLayout3[] = "jre\\bin\\server\\jvm.dll";
const char kWindowsLayout4[] = "jre\\bin\\client\\jvm.dll";
const char kWindowsLayout5[] = "bin\\classic\\jvm.dll";
const char* const kWindowsLayouts[] = {kWindowsLayout1, kWindowsLayout2, kWindowsLayout3, kWindowsLayout4,
                                       kWindowsLayout5, nullptr};

const char kLinuxBin[] = "/bin/";
const char kLinuxLibrary[] = "/lib/server/libjvm.so";
const char kLinuxBare[] = "libjvm.so";
const char kLinuxRegistryCaption[] = "Can't locate libjvm.so";
const char kLinuxRegistryText[] =
    "JAVA_HOME does not name a Java runtime.\n"
    "Set JAVA_HOME to the folder of a Java runtime.\n"
    "\n"
    "This application will now try the library search path.";
const char kLinuxEntryPoints[] = "Can't locate JVM entry points in libjvm.so.Incompatible or corrupt library.";
// A Java 8 runtime's own home (the jre folder, which java on PATH leads
// to) keeps the library in lib/amd64/server.
const char kLinuxLayout1[] = "lib/server/libjvm.so";
const char kLinuxLayout2[] = "lib/client/libjvm.so";
const char kLinuxLayout3[] = "jre/lib/amd64/server/libjvm.so";
const char kLinuxLayout4[] = "lib/amd64/server/libjvm.so";
const char* const kLinuxLayouts[] = {kLinuxLayout1, kLinuxLayout2, kLinuxLayout3, kLinuxLayout4, nullptr};

const char kError[] = "Error";
const char kNone[] = "";

const RuntimeProfile kJdk11 = {
    kJdk11Keys, kWinBin, kJdk11Library, kJdk11ClassLibrary, kNone,
    /*probesHome*/ true, /*logsDiscovery*/ true, /*rewritesPath*/ true, /*configuredPathTriesEmptyDiscovery*/ true,
    kJdk11Bare, kJdk11RegistryCaption, kJdk11RegistryText, kJdk11NotFound, kError, kJdk11EntryPoints,
    RuntimeSearchPlace::None, kNoKeys};

const RuntimeProfile kJdk12 = {
    kJdk12Keys, kWinBin, kJdk12Library, kJdk12ClassLibrary, kJdk12RuntimeLib,
    /*probesHome*/ true, /*logsDiscovery*/ false, /*rewritesPath*/ true, /*configuredPathTriesEmptyDiscovery*/ false,
    kJdk12Bare, kJdk12RegistryCaption, kJdk12RegistryText, kJdk12NotFound, kError, kJdk12EntryPoints,
    RuntimeSearchPlace::AfterTable, kWindowsLayouts};

// A system runtime's home is not writable by its users: no probe.
const RuntimeProfile kLinuxJvm = {
    kNoKeys, kLinuxBin, kLinuxLibrary, kNone, kNone,
    /*probesHome*/ false, /*logsDiscovery*/ false, /*rewritesPath*/ false, /*configuredPathTriesEmptyDiscovery*/ false,
    kLinuxBare, kLinuxRegistryCaption, kLinuxRegistryText, kLinuxRegistryCaption, kError, kLinuxEntryPoints,
    RuntimeSearchPlace::BeforeBareName, kLinuxLayouts};

}  // namespace

const RuntimeProfile& jdk11Profile() { return kJdk11; }
const RuntimeProfile& jdk12Profile() { return kJdk12; }
const RuntimeProfile& linuxJvmProfile() { return kLinuxJvm; }
