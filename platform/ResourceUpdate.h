#pragma once
// One resource-update transaction on an executable file
// (BeginUpdateResourceA / UpdateResourceA / EndUpdateResourceA). A
// transaction that is not committed is discarded on destruction. Linux
// cannot update resources: `supported()` is false and `begin` fails.

#include <cstddef>
#include <string>

namespace platform {

constexpr unsigned kRtIcon = 3;
constexpr unsigned kRtGroupIcon = 14;
constexpr unsigned kRtVersion = 16;
constexpr unsigned kParameterResourceType = 1000;

class ResourceUpdate {
public:
    ResourceUpdate() = default;
    ResourceUpdate(const ResourceUpdate&) = delete;
    ResourceUpdate& operator=(const ResourceUpdate&) = delete;
    ~ResourceUpdate() { discard(); }

    static bool supported();
    // bDeleteExistingResources FALSE: the file keeps its other resources
    // (TRUE with deleteExisting).
    bool begin(const std::string& path, bool deleteExisting = false);
    bool update(unsigned type, unsigned id, unsigned language, const void* data, std::size_t size);
    // The same with a type and a name that are each a number or, when the
    // text is not empty, a UTF-16 name (UpdateResourceW).
    bool update(unsigned typeId, const std::u16string& typeName, unsigned nameId, const std::u16string& name,
                unsigned language, const void* data, std::size_t size);
    // EndUpdateResourceA(fDiscard FALSE); returns its result.
    bool commit();
    // EndUpdateResourceA(fDiscard TRUE) when a transaction is open.
    void discard();

private:
    void* handle_ = nullptr;
};

}  // namespace platform
