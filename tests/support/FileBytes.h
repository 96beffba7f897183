#pragma once
// Whole-file reads and writes for the tests (any system): the bytes as
// they are, no line-end translation.

#include <fstream>
#include <sstream>
#include <string>

namespace caskit_test {

// The file's bytes; empty when it cannot be read.
inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Replaces the file's contents; a failure shows in what the test reads back.
inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace caskit_test
