// One %NAME% reference per text, looked up in the start-up environment.
#include "launcher/Environment.h"
#include "platform/Environment.h"

void expandVariable(std::string& text) {
    std::size_t first = text.find('%');
    std::size_t last = text.rfind('%');
    if (first == std::string::npos || first == last) return;
    // The name may itself hold '%' signs when the text has more than two.
    std::optional<std::string> value = platform::startupVariable(text.substr(first + 1, last - first - 1));
    if (!value) return;
    text.replace(first, last - first + 1, *value);
}
