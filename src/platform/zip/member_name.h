// A member's name as the archive stores it, decoded once into UTF-8: UTF-8
// when the archive says so (general purpose bit 11) and it is; else the
// Info-ZIP Unicode Path extra field when its check matches the stored name;
// else code page 437, the DOS character set the ZIP format names for names
// without the flag. Invalid UTF-8 never reaches the disk as it is.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace q32::zip {

std::string decodedMemberName(std::string_view stored, std::uint16_t flags,
                              std::basic_string_view<unsigned char> extra);

}  // namespace q32::zip
