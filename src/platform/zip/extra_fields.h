// The extra fields of a central directory entry that the engine reads: Zip64
// sizes and offset, modification times in Unix or NTFS form, and WinZip AES
// encryption (its key strength and the member's real method).
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/zip/member_entry.h"

namespace q32::zip {

void applyExtraFields(std::basic_string_view<unsigned char> extra, MemberEntry& entry);

}  // namespace q32::zip
