// The file mask of the zip engine: several wildcard masks separated by CR,
// matched against a member's file name without regard to case. An empty
// mask (or one with only separators) selects every member.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace q32::zip {

class FileMask {
public:
    explicit FileMask(std::string_view masks);
    bool selects(std::string_view memberName) const;

private:
    std::vector<std::string> masks_;
};

}  // namespace q32::zip
