#include "vmbind/RuntimeProfile.h"

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
        p.registryText =
            "This machine's registry has a valid entry for JDK 1.1.x\n"
            "However, the javai.dll does not exist where the registry says it does.\n"
            "Reinstall JDK 1.1.x. or edit your registry to point to your Java binary directory.\n"
            "\n"
            "This application will now try looking on the path environment variable.";
        p.notFoundText = "Can't locate javai.dll";
        p.notFoundCaption = "Error";
        p.entryPointText = "Can't locate JVM entry points in javai.dll.Incompatible or corrupt DLL.";
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
        p.registryText =
            "This machine's registry has a valid entry for JDK 1.2\n"
            "However, the jvm.dll does not exist where the registry says it does.\n"
            "Reinstall JDK 1.2. or edit your registry to point to your Java binary directory.\n"
            "\n"
            "This application will now try looking on the path environment variable.";
        p.notFoundText = "Can't locate jvm.dll";
        p.notFoundCaption = "Error";
        p.entryPointText = "Can't locate JVM entry points in jvm.dll.Incompatible or corrupt DLL.";
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
