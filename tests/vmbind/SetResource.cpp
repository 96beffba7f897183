// Test helper (win64): stores one resource in an executable with
// BeginUpdateResourceA / UpdateResourceA / EndUpdateResourceA, keeping the
// file's other resources, the way a builder on Windows NT configures a stub.
//   vmbind_setres EXE TYPE ID LANGUAGE DATAFILE
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: vmbind_setres EXE TYPE ID LANGUAGE DATAFILE\n");
        return 2;
    }
    std::string data;
    if (FILE* f = std::fopen(argv[5], "rb")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
        std::fclose(f);
    } else {
        std::fprintf(stderr, "cannot read %s\n", argv[5]);
        return 2;
    }
    HANDLE update = BeginUpdateResourceA(argv[1], FALSE);
    if (!update) {
        std::fprintf(stderr, "BeginUpdateResourceA failed: %lu\n", GetLastError());
        return 1;
    }
    WORD type = static_cast<WORD>(std::atoi(argv[2]));
    WORD id = static_cast<WORD>(std::atoi(argv[3]));
    WORD language = static_cast<WORD>(std::atoi(argv[4]));
    if (!UpdateResourceA(update, MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(id), language, data.data(),
                         static_cast<DWORD>(data.size()))) {
        std::fprintf(stderr, "UpdateResourceA failed: %lu\n", GetLastError());
        EndUpdateResourceA(update, TRUE);
        return 1;
    }
    if (!EndUpdateResourceA(update, FALSE)) {
        std::fprintf(stderr, "EndUpdateResourceA failed: %lu\n", GetLastError());
        return 1;
    }
    return 0;
}
