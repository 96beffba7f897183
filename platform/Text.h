#pragma once
// A growable 8-bit text, for the code that goes into the launcher stubs:
// they carry no C++ runtime library, so the standard library's strings are
// not available there. Every byte is allowed (NUL too); `c_str()` is always
// NUL-terminated. Running out of memory ends the process (Memory.h).

#include <stddef.h>

class Text {
public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    Text() = default;
    Text(const char* s);  // NOLINT: implicit, so literals read as texts
    Text(const char* s, size_t n);
    Text(size_t n, char c);
    // Any other text type with data() and size() (the standard library's
    // strings in the builder and in tests).
    template <typename Bytes, typename = decltype(static_cast<const Bytes*>(nullptr)->size()),
              typename = decltype(static_cast<const char*>(static_cast<const Bytes*>(nullptr)->data()))>
    Text(const Bytes& bytes) : Text(bytes.data(), bytes.size()) {}  // NOLINT: implicit on purpose
    Text(const Text& other);
    Text(Text&& other) noexcept;
    Text& operator=(const Text& other);
    Text& operator=(Text&& other) noexcept;
    ~Text();

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const char* c_str() const { return data_ ? data_ : ""; }
    const char* data() const { return c_str(); }
    char* data() { return data_ ? data_ : empty_; }
    char operator[](size_t i) const { return data_[i]; }
    char& operator[](size_t i) { return data_[i]; }
    char back() const { return data_[size_ - 1]; }
    const char* begin() const { return c_str(); }
    const char* end() const { return c_str() + size_; }

    Text& append(const char* s, size_t n);
    Text& operator+=(const Text& s) { return append(s.data(), s.size()); }
    Text& operator+=(const char* s);
    Text& operator+=(char c) { return append(&c, 1); }
    void push_back(char c) { append(&c, 1); }
    void clear() { resize(0); }
    void resize(size_t n, char fill = '\0');
    // resize() that answers false, leaving the text as it was, when the
    // memory cannot be had (for sizes read from untrusted input).
    bool tryResize(size_t n);
    void reserve(size_t n);

    // Positions, npos when there is none.
    size_t find(char c, size_t from = 0) const;
    size_t find(const char* s, size_t from = 0) const;
    size_t rfind(char c) const;
    size_t findFirstOf(const char* set, size_t from = 0) const;
    size_t findFirstNotOf(char c, size_t from = 0) const;

    // Parts; positions and counts are clamped to the text.
    Text substr(size_t pos, size_t n = npos) const;
    void erase(size_t pos, size_t n = npos);
    void replace(size_t pos, size_t n, const Text& with);
    void insert(size_t pos, const Text& what) { replace(pos, 0, what); }

    bool startsWith(const char* prefix) const;
    bool equals(const char* s, size_t n) const;

private:
    bool grow(size_t needed, bool fatal = true);

    char* data_ = nullptr;  // null until something is stored
    size_t size_ = 0;
    size_t capacity_ = 0;
    static char empty_[1];
};

bool operator==(const Text& a, const Text& b);
bool operator==(const Text& a, const char* b);
inline bool operator==(const char* a, const Text& b) { return b == a; }
inline bool operator!=(const Text& a, const Text& b) { return !(a == b); }
inline bool operator!=(const Text& a, const char* b) { return !(a == b); }

Text operator+(const Text& a, const Text& b);
Text operator+(const Text& a, const char* b);
Text operator+(const char* a, const Text& b);
Text operator+(const Text& a, char b);
Text operator+(char a, const Text& b);

// The `index`-th text (from 0) of `list`, texts ended by a zero each
// ("a\0b\0"): a table of texts without a pointer per entry, which a
// program loaded at any address would have to relocate. `index` must be
// below the number of texts in the list.
const char* packedText(const char* list, unsigned index);

// A signed or unsigned number in decimal, without leading zeros.
Text decimalText(long long value);
Text decimalText(unsigned long long value);
inline Text decimalText(int value) { return decimalText(static_cast<long long>(value)); }
inline Text decimalText(unsigned value) { return decimalText(static_cast<unsigned long long>(value)); }
inline Text decimalText(long value) { return decimalText(static_cast<long long>(value)); }
inline Text decimalText(unsigned long value) { return decimalText(static_cast<unsigned long long>(value)); }
