#include "platform/zip/file_mask.h"

#include <algorithm>

#include "common/wildcard.h"
#include "platform/zip/member_path.h"

namespace q32::zip {

namespace {

bool matchesEveryName(std::string_view mask) { return mask == "*" || mask == "*.*"; }

}  // namespace

FileMask::FileMask(std::string_view masks) {
    std::size_t start = 0;
    while (start <= masks.size()) {
        std::size_t end = masks.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = masks.size();
        if (end > start) masks_.emplace_back(masks.substr(start, end - start));
        start = end + 1;
    }
    selectsEverything_ = masks_.empty() || std::any_of(masks_.begin(), masks_.end(), matchesEveryName);
}

bool FileMask::selectsFile(std::string_view memberName) const {
    if (selectsEverything_) return true;
    const std::string_view fileName = fileNameOf(memberName);
    for (const std::string& mask : masks_) {
        if (wildcardMatch(mask, fileName)) return true;
    }
    return false;
}

}  // namespace q32::zip
