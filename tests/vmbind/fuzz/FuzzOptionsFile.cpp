// libFuzzer target: the readers of the VM options a user of a program can
// change, on arbitrary bytes: the options file beside the executable and
// the JDK_JAVA_OPTIONS value. Every option read must begin with '-' and be
// free of line breaks and NULs.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include "vmbind/JdkJavaOptions.h"
#include "vmbind/OptionsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    List<Text> options;
    size_t line = 0;
    const char* problem = nullptr;
    const bool read = readOptionsFile(bytes, size, "/opt/app", options, line, problem);
    if (!read && (line == 0 || !problem)) abort();
    for (const Text& option : options)
        if (option.empty() || option[0] != '-' || option.find('\n') != Text::npos) abort();
    List<Text> words;
    splitJdkJavaOptions(Text(bytes, size), words);
    return 0;
}
