#pragma once
// One resource-update transaction on an executable file, on any system:
// the Win32 update (BeginUpdateResourceA / UpdateResourceA /
// EndUpdateResourceA, keeping existing resources) where the system has it,
// the portable PE resource editor everywhere else. Every resource the
// engine writes goes through this, so its callers do not care which.
// A transaction that is not committed is discarded on destruction.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/ResourceUpdate.h"

class PeResourceEditor;

class ResourceTransaction {
public:
    ResourceTransaction();
    ~ResourceTransaction();
    ResourceTransaction(const ResourceTransaction&) = delete;
    ResourceTransaction& operator=(const ResourceTransaction&) = delete;

    // Opens `path` for update; its other resources stay.
    bool begin(const std::string& path);
    // Opens `path` for update with every resource of the numbered `types`
    // (any name, any language) deleted and the others kept. (Wine's update
    // ignores the deletion of a resource the file held before, so with the
    // system's update the file starts empty and gets its other resources
    // again, which Windows does alike.)
    bool beginWithout(const std::string& path, const std::vector<unsigned>& types);
    // Adds or replaces type/id/language; no data and size 0 deletes it.
    bool update(unsigned type, unsigned id, unsigned language, const void* data, std::size_t size);
    // Writes the changes; returns whether the file was written. (The
    // portable editor rewrites the whole file; callers that must never
    // leave a half-written file work on a temporary copy, as compile does.)
    bool commit();
    void discard();

    // Why the last call failed: the editor's reason, or the system's text
    // for the last error.
    std::string errorText() const;

private:
    // Reads `path` into the portable editor; null with error_ set.
    PeResourceEditor* loadEditor(const std::string& path);
    platform::ResourceUpdate native_;
    std::unique_ptr<PeResourceEditor> editor_;
    std::string path_;
    std::string error_;
};
