#include "builder/engine/ResourceTransaction.h"

#include "builder/engine/PeResourceEditor.h"
#include "platform/FileSystem.h"

namespace {

// Larger files are not launcher stubs; refusing them bounds the memory used.
constexpr std::uint64_t kMaxExecutableSize = 256u << 20;

}  // namespace

ResourceTransaction::ResourceTransaction() = default;

ResourceTransaction::~ResourceTransaction() { discard(); }

bool ResourceTransaction::begin(const std::string& path) {
    discard();
    error_.clear();
    if (platform::ResourceUpdate::supported()) {
        // Read before the system's update opens the file: what it holds now
        // is what resourcesOfType reports.
        nativeFile_ = platform::readWholeFile(path, kMaxExecutableSize).value_or(std::string());
        return native_.begin(path);
    }

    std::optional<std::string> bytes = platform::readWholeFile(path, kMaxExecutableSize);
    if (!bytes) {
        error_ = platform::lastErrorText();
        return false;
    }
    auto editor = std::make_unique<PeResourceEditor>();
    if (!editor->load(std::move(*bytes))) {
        error_ = "not an executable whose resources can be changed: " + editor->error();
        return false;
    }
    editor_ = std::move(editor);
    path_ = path;
    return true;
}

bool ResourceTransaction::update(unsigned type, unsigned id, unsigned language, const void* data,
                                 std::size_t size) {
    if (!editor_) return native_.update(type, id, language, data, size);
    if (type > 0xFFFF || id > 0xFFFF || language > 0xFFFF) return false;
    ResourceKey key;
    key.type = ResourceName::number(static_cast<std::uint16_t>(type));
    key.name = ResourceName::number(static_cast<std::uint16_t>(id));
    key.language = static_cast<std::uint16_t>(language);
    if (!data && size == 0) {
        editor_->remove(key);
        return true;
    }
    if (!data) return false;
    editor_->set(key, std::string(static_cast<const char*>(data), size));
    return true;
}

std::vector<ResourceKey> ResourceTransaction::resourcesOfType(unsigned type) const {
    std::vector<ResourceKey> found;
    PeResourceEditor reader;
    if (!editor_ && !reader.load(nativeFile_)) return found;
    for (const auto& entry : (editor_ ? *editor_ : reader).resources())
        if (!entry.first.type.named && entry.first.type.id == type) found.push_back(entry.first);
    return found;
}

bool ResourceTransaction::remove(const ResourceKey& key) {
    if (editor_) return editor_->remove(key);
    if (key.type.named) return false;
    if (key.name.named) return native_.removeNamed(key.type.id, key.name.text, key.language);
    return native_.update(key.type.id, key.name.id, key.language, nullptr, 0);
}

bool ResourceTransaction::commit() {
    if (!editor_) return native_.commit();
    std::unique_ptr<PeResourceEditor> editor = std::move(editor_);
    std::string bytes;
    if (!editor->save(bytes)) {
        error_ = editor->error();
        return false;
    }
    platform::File file = platform::openFile(path_, platform::File::Mode::CreateAlways);
    if (!file.isOpen() || !file.write(bytes) || !file.close()) {
        error_ = platform::lastErrorText();
        return false;
    }
    return true;
}

void ResourceTransaction::discard() {
    editor_.reset();
    nativeFile_.clear();
    native_.discard();
}

std::string ResourceTransaction::errorText() const {
    return error_.empty() ? platform::lastErrorText() : error_;
}
