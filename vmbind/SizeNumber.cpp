#include "vmbind/SizeNumber.h"

#include <limits>

#include "launcher/DecimalNumber.h"

std::int32_t parseSizeNumber(const std::string& text) {
    DecimalNumber number = readDecimalNumber(text);
    const std::uint64_t limit = number.negative
                                    ? static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) + 1
                                    : static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    const std::int64_t value = static_cast<std::int64_t>(number.magnitude < limit ? number.magnitude : limit);
    return static_cast<std::int32_t>(number.negative ? -value : value);
}

std::int32_t kilobytesToBytes(std::int32_t kilobytes) {
    std::uint32_t bytes = static_cast<std::uint32_t>(kilobytes) * 1024u;
    return static_cast<std::int32_t>(bytes);
}
