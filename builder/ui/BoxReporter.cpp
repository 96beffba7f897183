#include "builder/ui/BoxReporter.h"

void BoxReporter::report(const Notice& notice) {
    const unsigned icon = notice.severity == Severity::Error ? platform::kMbIconWarning : platform::kMbIconInformation;
    if (notice.severity == Severity::Note) notes_.push_back(notice.text);
    else if (!notice.subject.empty()) platform::showMessage(nullptr, notice.text, notice.subject, platform::kMbOk);
    else platform::showMessage(owner_, notice.text, notice.caption, platform::kMbOk | icon);
}
