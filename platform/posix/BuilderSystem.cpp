// What a Linux program has of the Windows facilities the builder uses: no
// resource updating, no dialogs, no icons, no platform code.
#include "platform/FileDialog.h"
#include "platform/Icons.h"
#include "platform/PlatformCode.h"
#include "platform/ResourceUpdate.h"

namespace platform {

bool ResourceUpdate::supported() { return false; }
bool ResourceUpdate::begin(const std::string&, bool) { return false; }
bool ResourceUpdate::update(unsigned, unsigned, unsigned, const void*, std::size_t) { return false; }
bool ResourceUpdate::update(unsigned, const std::u16string&, unsigned, const std::u16string&, unsigned, const void*,
                            std::size_t) {
    return false;
}
bool ResourceUpdate::commit() { return false; }
void ResourceUpdate::discard() { handle_ = nullptr; }

unsigned platformCode() { return 0; }

std::optional<std::string> askFileName(const FileDialogRequest&) { return std::nullopt; }

IconRef iconFromImage(const void*, std::size_t, int, int, int) { return nullptr; }
IconRef ownIcon(unsigned, int) { return nullptr; }

}  // namespace platform
