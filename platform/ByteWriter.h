#pragma once
// Little-endian writing into a growable byte string.

#include <cstddef>
#include <cstdint>
#include <string>

class ByteWriter {
public:
    void u8(std::uint8_t v) { out_.push_back(static_cast<char>(v)); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v & 0xFF));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v & 0xFFFF));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void bytes(const std::string& s) { out_ += s; }
    void bytes(const void* p, std::size_t n) { out_.append(static_cast<const char*>(p), n); }
    void zeros(std::size_t n) { out_.append(n, '\0'); }
    // Pads with zero bytes up to the next multiple of 4.
    void align4() { zeros((4 - (out_.size() & 3)) & 3); }
    // Overwrites a 16-bit value at an earlier position.
    void patchU16(std::size_t pos, std::uint16_t v) {
        out_[pos] = static_cast<char>(v & 0xFF);
        out_[pos + 1] = static_cast<char>(v >> 8);
    }
    std::size_t size() const { return out_.size(); }
    const std::string& data() const { return out_; }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};
