// A Windows launcher without a VM start: reads its command line and its
// parameter block through the real Win32 calls (its own resources of type
// 1000, its own file's trailer) and writes what it found to a file.
//
//   block_source_probe_*.exe REPORT [COMMAND LINE TEXT]
#include <cstdio>
#include <string>

#include "launcher/LaunchParameters.h"
#include "launcher/ModeMarker.h"
#include "tests/support/TextSupport.h"

static void put(std::FILE* out, const char* key, const std::string& value) {
    std::fprintf(out, "%s=", key);
    std::fwrite(value.data(), 1, value.size(), out);
    std::fputc('\n', out);
}

static std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    LaunchParameters p(PropertyStyle::Option);
    p.parseCommandLine(argc > 2 ? argv[2] : "");
    p.loadParameters();

    Text marker;
    loadParameterResource(1, marker);
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) return 3;
    put(out, "marker", hex(str(marker)));
    put(out, "standard", isStandardMarker(marker) ? "1" : "0");
    put(out, "exeFolder", str(p.exeFolder));
    put(out, "exeName", str(p.exeName));
    put(out, "mainClass", str(p.mainClass));
    for (const Text& a : p.arguments) put(out, "argument", str(a));
    for (const Text& q : p.properties) put(out, "property", str(q));
    put(out, "classPathMode", std::to_string(static_cast<int>(p.classPathMode)));
    return std::fclose(out) == 0 ? 0 : 3;
}
