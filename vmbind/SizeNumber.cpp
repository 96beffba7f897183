#include "vmbind/SizeNumber.h"

#include "launcher/DecimalNumber.h"

int32_t parseSizeNumber(const Text& text) {
    DecimalNumber number = readDecimalNumber(text);
    const uint64_t limit = number.negative ? static_cast<uint64_t>(INT32_MAX) + 1 : static_cast<uint64_t>(INT32_MAX);
    const int64_t value = static_cast<int64_t>(number.magnitude < limit ? number.magnitude : limit);
    return static_cast<int32_t>(number.negative ? -value : value);
}

int32_t kilobytesToBytes(int32_t kilobytes) {
    uint32_t bytes = static_cast<uint32_t>(kilobytes) * 1024u;
    return static_cast<int32_t>(bytes);
}
