#include "platform/Text.h"

#include <string.h>

#include "platform/Memory.h"

char Text::empty_[1] = {'\0'};

Text::Text(const char* s) : Text(s, s ? strlen(s) : 0) {}

Text::Text(const char* s, size_t n) { append(s, n); }

Text::Text(size_t n, char c) { resize(n, c); }

Text::Text(const Text& other) { append(other.data(), other.size_); }

Text::Text(Text&& other) noexcept : data_(other.data_), size_(other.size_), capacity_(other.capacity_) {
    other.data_ = nullptr;
    other.size_ = other.capacity_ = 0;
}

Text& Text::operator=(const Text& other) {
    if (this != &other) {
        size_ = 0;
        append(other.data(), other.size_);
    }
    return *this;
}

Text& Text::operator=(Text&& other) noexcept {
    if (this != &other) {
        releaseMemory(data_);
        data_ = other.data_;
        size_ = other.size_;
        capacity_ = other.capacity_;
        other.data_ = nullptr;
        other.size_ = other.capacity_ = 0;
    }
    return *this;
}

Text::~Text() { releaseMemory(data_); }

// Room for `needed` bytes and the terminating NUL. Without memory: the
// process ends (fatal) or the answer is false.
bool Text::grow(size_t needed, bool fatal) {
    if (data_ && needed < capacity_) return true;
    if (needed == static_cast<size_t>(-1)) {
        if (fatal) outOfMemory();
        return false;
    }
    size_t capacity = capacity_ < 16 ? 16 : capacity_;
    while (capacity <= needed) capacity = capacity > static_cast<size_t>(-1) / 2 ? needed + 1 : capacity * 2;
    char* grown = static_cast<char*>(fatal ? reallocateMemory(data_, capacity) : tryReallocateMemory(data_, capacity));
    if (!grown) return false;
    data_ = grown;
    capacity_ = capacity;
    return true;
}

bool Text::tryResize(size_t n) {
    if (n > size_ && !grow(n, false)) return false;
    resize(n);
    return true;
}

void Text::reserve(size_t n) { grow(n); data_[size_] = '\0'; }

Text& Text::append(const char* s, size_t n) {
    if (n > static_cast<size_t>(-1) - size_ - 1) outOfMemory();
    // `s` may point into this text: keep its offset across the growth.
    const bool inside = data_ && s >= data_ && s < data_ + capacity_;
    const size_t offset = inside ? static_cast<size_t>(s - data_) : 0;
    grow(size_ + n);
    if (n) memmove(data_ + size_, inside ? data_ + offset : s, n);
    size_ += n;
    data_[size_] = '\0';
    return *this;
}

Text& Text::operator+=(const char* s) { return append(s, s ? strlen(s) : 0); }

void Text::resize(size_t n, char fill) {
    if (n > size_) {
        grow(n);
        memset(data_ + size_, fill, n - size_);
    }
    size_ = n;
    if (data_) data_[size_] = '\0';
}

size_t Text::find(char c, size_t from) const {
    for (size_t i = from; i < size_; ++i)
        if (data_[i] == c) return i;
    return npos;
}

size_t Text::find(const char* s, size_t from) const {
    const size_t n = strlen(s);
    if (n > size_) return npos;
    for (size_t i = from; i <= size_ - n; ++i)
        if (memcmp(data_ + i, s, n) == 0) return i;
    return npos;
}

size_t Text::rfind(char c) const {
    for (size_t i = size_; i > 0; --i)
        if (data_[i - 1] == c) return i - 1;
    return npos;
}

size_t Text::findFirstOf(const char* set, size_t from) const {
    for (size_t i = from; i < size_; ++i)
        if (strchr(set, data_[i]) && data_[i] != '\0') return i;
    return npos;
}

size_t Text::findFirstNotOf(char c, size_t from) const {
    for (size_t i = from; i < size_; ++i)
        if (data_[i] != c) return i;
    return npos;
}

Text Text::substr(size_t pos, size_t n) const {
    if (pos >= size_) return Text();
    if (n > size_ - pos) n = size_ - pos;
    return Text(data_ + pos, n);
}

void Text::erase(size_t pos, size_t n) {
    if (pos >= size_) return;
    if (n > size_ - pos) n = size_ - pos;
    memmove(data_ + pos, data_ + pos + n, size_ - pos - n);
    resize(size_ - n);
}

void Text::replace(size_t pos, size_t n, const Text& with) {
    if (pos > size_) pos = size_;
    if (n > size_ - pos) n = size_ - pos;
    Text result(data(), pos);
    result += with;
    result.append(data() + pos + n, size_ - pos - n);
    *this = static_cast<Text&&>(result);
}

bool Text::startsWith(const char* prefix) const {
    const size_t n = strlen(prefix);
    return n <= size_ && memcmp(data(), prefix, n) == 0;
}

bool Text::equals(const char* s, size_t n) const { return n == size_ && (n == 0 || memcmp(data_, s, n) == 0); }

bool operator==(const Text& a, const Text& b) { return a.equals(b.data(), b.size()); }
bool operator==(const Text& a, const char* b) { return a.equals(b, strlen(b)); }

Text operator+(const Text& a, const Text& b) {
    Text result;
    result.reserve(a.size() + b.size());
    result += a;
    result += b;
    return result;
}
Text operator+(const Text& a, const char* b) { return a + Text(b); }
Text operator+(const char* a, const Text& b) { return Text(a) + b; }
Text operator+(const Text& a, char b) { return a + Text(&b, 1); }
Text operator+(char a, const Text& b) { return Text(&a, 1) + b; }

namespace {

// `value` divided by ten, the remainder in `digit`: a long division in
// 16-bit steps, so that 32-bit x86 needs no 64-bit division routine.
unsigned long long tenth(unsigned long long value, unsigned& digit) {
    unsigned long long quotient = 0;
    unsigned remainder = 0;
    for (int shift = 48; shift >= 0; shift -= 16) {
        const unsigned part = remainder << 16 | static_cast<unsigned>(value >> shift & 0xFFFF);
        quotient |= static_cast<unsigned long long>(part / 10) << shift;
        remainder = part % 10;
    }
    digit = remainder;
    return quotient;
}

}  // namespace

const char* packedText(const char* list, unsigned index) {
    while (index-- > 0) list += strlen(list) + 1;
    return list;
}

Text decimalText(unsigned long long value) {
    char digits[24];
    size_t n = 0;
    do {
        unsigned digit = 0;
        value = tenth(value, digit);
        digits[n++] = static_cast<char>('0' + digit);
    } while (value);
    Text text;
    while (n) text += digits[--n];
    return text;
}

Text decimalText(long long value) {
    if (value >= 0) return decimalText(static_cast<unsigned long long>(value));
    // The magnitude of the smallest value does not fit a long long.
    return "-" + decimalText(0ull - static_cast<unsigned long long>(value));
}
