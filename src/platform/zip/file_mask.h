// The file mask of the zip engine: several wildcard masks separated by CR,
// matched against a member's file name without regard to case. An empty
// mask (or one with only separators) selects every member.
//
// Folder members are selected only by a mask that selects everything ("",
// "*.*" or "*"): a mask of file names such as "*.diz" never makes a folder,
// even one named "file_id.diz".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace q32::zip {

class FileMask {
public:
    explicit FileMask(std::string_view masks);
    bool selectsFile(std::string_view memberName) const;
    bool selectsFolders() const { return selectsEverything_; }

private:
    std::vector<std::string> masks_;
    bool selectsEverything_ = true;
};

}  // namespace q32::zip
