// Feeds arbitrary bytes to the PE header and resource tree readers. A file
// that reads must save, and the saved file must read back to the same
// resources.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "builder/engine/PeResourceEditor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PeResourceEditor editor;
    if (!editor.load(std::string(reinterpret_cast<const char*>(data), size))) return 0;
    ResourceKey marker{ResourceName::number(1000), ResourceName::number(1), 0};
    editor.set(marker, "resbased");
    std::string saved;
    if (!editor.save(saved)) return 0;
    PeResourceEditor again;
    if (!again.load(saved) || again.resources().size() != editor.resources().size()) std::abort();
    auto a = again.resources().begin();
    for (const auto& e : editor.resources()) {
        if (!(e.first == a->first) || e.second.bytes != a->second.bytes) std::abort();
        ++a;
    }
    return 0;
}
