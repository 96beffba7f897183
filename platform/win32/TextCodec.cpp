// Code pages through the system's own tables (MultiByteToWideChar,
// WideCharToMultiByte).
#include "platform/TextCodec.h"

#include <windows.h>

#include <climits>

namespace platform {

namespace {

// UTF-8 and the other code pages without a default character take
// WC_ERR_INVALID_CHARS instead of WC_NO_BEST_FIT_CHARS and a used-default flag.
bool utf8Like(unsigned codePage) { return codePage == CP_UTF8 || codePage == 54936; }

// One exact conversion attempt; nullopt when any character falls back to
// the default character (or to a best fit) or the call fails.
std::optional<std::string> encodeExactly(const wchar_t* text, int length, unsigned codePage) {
    DWORD flags = utf8Like(codePage) ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8Like(codePage) ? nullptr : &usedDefault;
    int size = WideCharToMultiByte(codePage, flags, text, length, nullptr, 0, nullptr, usedDefaultOut);
    if (size <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<std::size_t>(size), '\0');
    size = WideCharToMultiByte(codePage, flags, text, length, &out[0], size, nullptr, usedDefaultOut);
    if (size <= 0 || usedDefault) return std::nullopt;
    out.resize(static_cast<std::size_t>(size));
    return out;
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

unsigned systemCodePage() { return CP_ACP; }

unsigned defaultAnsiCodePage() { return CP_ACP; }

std::optional<std::u16string> decodeText(const std::string& bytes, unsigned codePage, bool* invalid) {
    if (invalid) *invalid = false;
    if (bytes.empty()) return std::u16string();
    if (bytes.size() > INT_MAX) return std::nullopt;
    const int length = static_cast<int>(bytes.size());
    DWORD flags = MB_ERR_INVALID_CHARS;
    int size = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    if (size <= 0 && GetLastError() == ERROR_NO_UNICODE_TRANSLATION) {
        if (invalid) *invalid = true;
        flags = 0;  // convert anyway: such bytes become the default character
        size = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    } else if (size <= 0 && GetLastError() == ERROR_INVALID_FLAGS) {
        flags = 0;  // code pages that take no flags at all
        size = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    }
    if (size <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    size = MultiByteToWideChar(codePage, flags, bytes.data(), length, &wide[0], size);
    if (size <= 0) return std::nullopt;
    return std::u16string(wide.begin(), wide.begin() + size);
}

std::optional<std::string> encodeText(const std::u16string& text, unsigned codePage, std::size_t* failedAt) {
    if (text.empty()) return std::string();
    if (text.size() > INT_MAX) {
        if (failedAt) *failedAt = text.size();
        return std::nullopt;
    }
    const std::wstring wide(text.begin(), text.end());
    if (std::optional<std::string> out = encodeExactly(wide.data(), static_cast<int>(wide.size()), codePage))
        return out;
    // Find the first character that does not convert on its own.
    std::size_t at = 0;
    while (at < wide.size()) {
        int units = isHighSurrogate(text[at]) && at + 1 < text.size() && isLowSurrogate(text[at + 1]) ? 2 : 1;
        if (!encodeExactly(wide.data() + at, units, codePage)) break;
        at += static_cast<std::size_t>(units);
    }
    if (failedAt) *failedAt = at;
    return std::nullopt;
}

}  // namespace platform
