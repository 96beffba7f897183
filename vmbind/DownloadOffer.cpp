#include "vmbind/DownloadOffer.h"

#include "platform/MessageBox.h"

#ifdef _WIN32
#include "platform/Browser.h"
#endif

void showNotFoundMessage(const Text& text, const char* caption, const Text& downloadUrl, bool asks,
                         bool (*openAddress)(const char* address)) {
    Text message = text;
    if (!downloadUrl.empty()) {
        message += "\n\nA suitable Java can be downloaded from:\n";
        message += downloadUrl;
        if (asks) message += "\n\nOpen this address now?";
    }
    asks = asks && !downloadUrl.empty();
    const int answer =
        platform::showMessage(nullptr, message.c_str(), caption, asks ? platform::kMbYesNo : platform::kMbOk);
    if (asks && answer == platform::kIdYes) openAddress(downloadUrl.c_str());
}

void showNotFoundMessage(const Text& text, const char* caption, const Text& downloadUrl) {
#ifdef _WIN32
    showNotFoundMessage(text, caption, downloadUrl, true, platform::openInBrowser);
#else
    showNotFoundMessage(text, caption, downloadUrl, false, nullptr);
#endif
}
