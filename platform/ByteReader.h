#pragma once
// Bounds-checked little-endian reading of untrusted bytes. Every read checks
// the remaining length in subtraction form (no overflow) and, once a read has
// failed, the reader stays failed and every later read yields zero/empty.
// It uses nothing of the C++ library, so the launcher stubs read with it too.

#include <cstddef>
#include <cstdint>

class ByteReader {
public:
    ByteReader(const void* data, std::size_t size)
        : data_(static_cast<const unsigned char*>(data)), size_(size) {}

    bool ok() const { return ok_; }
    std::size_t offset() const { return off_; }
    std::size_t size() const { return size_; }
    std::size_t remaining() const { return ok_ ? size_ - off_ : 0; }
    const unsigned char* current() const { return data_ + off_; }

    // True when n more bytes can be read; otherwise the reader fails.
    bool need(std::size_t n) {
        if (!ok_ || n > size_ - off_) {
            ok_ = false;
            return false;
        }
        return true;
    }
    std::uint8_t u8() {
        if (!need(1)) return 0;
        return data_[off_++];
    }
    std::uint16_t u16() {
        if (!need(2)) return 0;
        std::uint16_t v = static_cast<std::uint16_t>(data_[off_] | (data_[off_ + 1] << 8));
        off_ += 2;
        return v;
    }
    std::uint32_t u32() {
        if (!need(4)) return 0;
        std::uint32_t v = static_cast<std::uint32_t>(data_[off_]) |
                          (static_cast<std::uint32_t>(data_[off_ + 1]) << 8) |
                          (static_cast<std::uint32_t>(data_[off_ + 2]) << 16) |
                          (static_cast<std::uint32_t>(data_[off_ + 3]) << 24);
        off_ += 4;
        return v;
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    // The next n raw bytes, consumed; null (and failed) when fewer remain.
    const char* take(std::size_t n) {
        if (!need(n)) return nullptr;
        const char* bytes = reinterpret_cast<const char*>(data_ + off_);
        off_ += n;
        return bytes;
    }
    bool skip(std::size_t n) {
        if (!need(n)) return false;
        off_ += n;
        return true;
    }
    bool seek(std::size_t pos) {
        if (!ok_ || pos > size_) {
            ok_ = false;
            return false;
        }
        off_ = pos;
        return true;
    }

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t off_ = 0;
    bool ok_ = true;
};
