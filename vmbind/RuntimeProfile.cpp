#include "vmbind/RuntimeProfile.h"

namespace {

// The message shown when the registry gives no library path; the two
// Windows launchers differ only in the JDK version and the library named.
std::string registryMessage(const std::string& jdk, const std::string& library) {
    return "This machine's registry has a valid entry for JDK " + jdk + "\nHowever, the " + library +
           " does not exist where the registry says it does.\nReinstall JDK " + jdk +
           ". or edit your registry to point to your Java binary directory.\n\n"
           "This application will now try looking on the path environment variable.";
}

std::string entryPointMessage(const std::string& library) {
    return "Can't locate JVM entry points in " + library + ".Incompatible or corrupt DLL.";
}

}  // namespace

const RuntimeProfile& jdk11Profile() {
    static const RuntimeProfile profile = [] {
        RuntimeProfile p;
        p.registryKeys = {"SOFTWARE\\JavaSoft\\Java Development Kit\\1.1\\",
                          "SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.1.6\\"};
        p.binSuffix = "\\bin\\";
        p.runtimeLibSuffix = "\\bin\\javai.dll";
        p.classLibSuffix = "\\lib\\classes.zip;";
        p.logsDiscovery = true;
        p.configuredPathTriesEmptyDiscovery = true;
        p.bareLibraryName = "javai.dll";
        p.registryCaption = "Can't locate Javai.dll";
        p.registryText = registryMessage("1.1.x", p.bareLibraryName);
        p.notFoundText = "Can't locate javai.dll";
        p.notFoundCaption = "Error";
        p.entryPointText = entryPointMessage(p.bareLibraryName);
        return p;
    }();
    return profile;
}

const RuntimeProfile& jdk12Profile() {
    static const RuntimeProfile profile = [] {
        RuntimeProfile p;
        p.registryKeys = {"SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.2\\"};
        p.binSuffix = "\\bin\\";
        p.runtimeLibSuffix = "\\bin\\classic\\jvm.dll";
        p.classLibSuffix = "\\lib\\rt.jar";
        p.runtimeLibValue = "RuntimeLib";
        p.bareLibraryName = "jvm.dll";
        p.registryCaption = "Can't locate Jvm.dll";
        p.registryText = registryMessage("1.2", p.bareLibraryName);
        p.notFoundText = "Can't locate jvm.dll";
        p.notFoundCaption = "Error";
        p.entryPointText = entryPointMessage(p.bareLibraryName);
        return p;
    }();
    return profile;
}

const RuntimeProfile& linuxJvmProfile() {
    static const RuntimeProfile profile = [] {
        RuntimeProfile p;
        p.homeVariable = "JAVA_HOME";
        p.binSuffix = "/bin/";
        p.runtimeLibSuffix = "/lib/server/libjvm.so";
        // A system runtime's home is not writable by its users: existence
        // of the library is left to the loader.
        p.probesHome = false;
        p.rewritesPath = false;
        p.bareLibraryName = "libjvm.so";
        p.registryCaption = "Can't locate libjvm.so";
        p.registryText =
            "JAVA_HOME does not name a Java runtime.\n"
            "Set JAVA_HOME to the folder of a Java runtime.\n"
            "\n"
            "This application will now try the library search path.";
        p.notFoundText = "Can't locate libjvm.so";
        p.notFoundCaption = "Error";
        p.entryPointText = "Can't locate JVM entry points in libjvm.so.Incompatible or corrupt library.";
        return p;
    }();
    return profile;
}
