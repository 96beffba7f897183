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
    // bDeleteExistingResources FALSE: the file keeps its other resources.
    bool begin(const std::string& path);
    bool update(unsigned type, unsigned id, unsigned language, const void* data, std::size_t size);
    // Deletes the resource of a numbered type whose name is a string.
    bool removeNamed(unsigned type, const std::u16string& name, unsigned language);
    // EndUpdateResourceA(fDiscard FALSE); returns its result.
    bool commit();
    // EndUpdateResourceA(fDiscard TRUE) when a transaction is open.
    void discard();

private:
    void* handle_ = nullptr;
};

}  // namespace platform
