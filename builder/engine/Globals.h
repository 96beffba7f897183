#pragma once
// The builder's error classes and the icon picture types.

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

// Raised only by the icon-file reader and the two resource builders
// (Reporter.h); the engine's entry points catch every one.
class XException : public std::exception {
public:
    explicit XException(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

class XFileException : public XException {
public:
    using XException::XException;
};

class XMemoryException : public XException {
public:
    XMemoryException() : XException(std::string()) {}
};

// One icon picture in resource form: 40-byte header (height doubled),
// palette, colour (XOR) rows, mask (AND) rows, all in `bytes`.
struct IconImage {
    std::uint16_t id = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;        // visible picture: half the header's height
    std::int32_t bitsPerPixel = 0;  // planes x bit count
    std::string bytes;              // the whole RT_ICON resource data

    std::size_t size() const { return bytes.size(); }
    // Offsets into `bytes` (valid only when bytes holds a whole image).
    std::size_t colourRowsOffset() const;
    std::size_t maskRowsOffset() const;
};

// A whole .ico or .cur file in memory.
struct IconFile {
    std::string path;
    std::uint16_t type = 0;  // from the file header: 1 icon, 2 cursor
    std::vector<IconImage> images;
};
