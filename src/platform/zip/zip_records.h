// Signatures and fixed sizes of the ZIP file's records, shared by the
// readers of the directory, the local headers and the extra fields.
#pragma once

#include <cstddef>
#include <cstdint>

namespace q32::zip::records {

inline constexpr std::uint32_t LocalSignature = 0x04034b50;
inline constexpr std::size_t LocalSize = 30;
inline constexpr std::uint32_t DescriptorSignature = 0x08074b50;
inline constexpr std::uint16_t DataDescriptorFlag = 0x0008;
// A 32-bit size or offset of this value is kept in the Zip64 extra field.
inline constexpr std::uint32_t Wide32 = 0xFFFFFFFF;

}  // namespace q32::zip::records
