#include "builder/engine/ResourceTransaction.h"

#include "builder/engine/PeResourceEditor.h"
#include "platform/FileSystem.h"

namespace {

// Larger files are not launcher stubs; refusing them bounds the memory used.
constexpr std::uint64_t kMaxExecutableSize = 256u << 20;

}  // namespace

ResourceTransaction::ResourceTransaction() = default;

ResourceTransaction::~ResourceTransaction() { discard(); }

namespace {

bool ofType(const ResourceKey& key, const std::vector<unsigned>& types) {
    for (unsigned type : types)
        if (!key.type.named && key.type.id == type) return true;
    return false;
}

}  // namespace

bool ResourceTransaction::begin(const std::string& path) {
    discard();
    error_.clear();
    if (platform::ResourceUpdate::supported()) return native_.begin(path);
    return loadEditor(path) != nullptr;
}

bool ResourceTransaction::beginWithout(const std::string& path, const std::vector<unsigned>& types) {
    discard();
    error_.clear();
    PeResourceEditor* editor = loadEditor(path);
    if (!editor) return false;
    if (!platform::ResourceUpdate::supported()) {
        std::vector<ResourceKey> doomed;
        for (const auto& entry : editor->resources())
            if (ofType(entry.first, types)) doomed.push_back(entry.first);
        for (const ResourceKey& key : doomed) editor->remove(key);
        return true;
    }
    // The editor only read the file; the system's update writes it.
    const std::unique_ptr<PeResourceEditor> reader = std::move(editor_);
    if (!native_.begin(path, true)) return false;
    for (const auto& entry : reader->resources()) {
        const ResourceKey& key = entry.first;
        if (ofType(key, types)) continue;
        if (!native_.update(key.type.id, key.type.text, key.name.id, key.name.text, key.language,
                            entry.second.bytes.data(), entry.second.bytes.size())) {
            discard();
            return false;
        }
    }
    return true;
}

PeResourceEditor* ResourceTransaction::loadEditor(const std::string& path) {
    std::optional<std::string> bytes = platform::readWholeFile(path, kMaxExecutableSize);
    platform::FileStamp stamp;
    if (!bytes && platform::fileStamp(path.c_str(), stamp) && stamp.size > kMaxExecutableSize) {
        // Refused for its size: the system recorded no failure.
        error_ = "the executable is larger than " + std::to_string(kMaxExecutableSize >> 20) + " MB";
        return nullptr;
    }
    if (!bytes) {
        error_ = platform::lastErrorText();
        return nullptr;
    }
    auto editor = std::make_unique<PeResourceEditor>();
    if (!editor->load(std::move(*bytes))) {
        error_ = "not an executable whose resources can be changed: " + editor->error();
        return nullptr;
    }
    editor_ = std::move(editor);
    path_ = path;
    return editor_.get();
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
    native_.discard();
}

std::string ResourceTransaction::errorText() const {
    return error_.empty() ? platform::lastErrorText() : error_;
}
