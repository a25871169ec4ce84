#include "platform/zip/file_mask.h"

#include "common/wildcard.h"
#include "platform/zip/member_path.h"

namespace q32::zip {

FileMask::FileMask(std::string_view masks) {
    std::size_t start = 0;
    while (start <= masks.size()) {
        std::size_t end = masks.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = masks.size();
        if (end > start) masks_.emplace_back(masks.substr(start, end - start));
        start = end + 1;
    }
}

bool FileMask::selects(std::string_view memberName) const {
    if (masks_.empty()) return true;
    const std::string_view fileName = fileNameOf(memberName);
    for (const std::string& mask : masks_) {
        if (wildcardMatch(mask, fileName)) return true;
    }
    return false;
}

}  // namespace q32::zip
