#include "ace_crc.h"

#include "common/crc32_update.h"

namespace q32::ace {

std::uint32_t updateCrc(std::uint32_t crc, const std::uint8_t* data, std::size_t size) {
    return crc32Update(crc, data, size);
}

}  // namespace q32::ace
