// One %NAME% reference per text, looked up in the start-up environment.
#include "launcher/Environment.h"
#include "platform/Environment.h"

void expandVariable(Text& text) {
    size_t first = text.find('%');
    size_t last = text.rfind('%');
    if (first == Text::npos || first == last) return;
    // The name may itself hold '%' signs when the text has more than two.
    Text value;
    if (!platform::startupVariable(text.substr(first + 1, last - first - 1).c_str(), value)) return;
    text.replace(first, last - first + 1, value);
}
