#include "builder/engine/ParameterTrailerWriter.h"

#include "platform/ByteWriter.h"

std::string encodeParameterTrailer(const std::string& block) {
    ByteWriter writer;
    writer.bytes(block);
    writer.u32(static_cast<std::uint32_t>(block.size()));
    return writer.take();
}
