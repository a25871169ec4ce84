// Volume sets on disk: NAME.ace, then NAME.c00 ... NAME.c99, NAME.100,
// NAME.101 ... beside it, named by the rules of archive/volume_naming.h.
// Continuation volumes are found whatever their letter case on disk.
#pragma once

#include "archive_reader.h"

#include <optional>
#include <string>
#include <vector>

namespace q32::ace {

// Of the names in `folder`, the one equal to `wanted` without regard to ASCII
// case; an exact match wins. Nothing when there is none.
std::optional<std::string> findNoCase(const std::string& folder, const std::string& wanted);

class FileVolumeSource : public VolumeSource {
public:
    explicit FileVolumeSource(std::string firstVolumePath);
    std::unique_ptr<ByteInput> open(unsigned index) override;
    std::string describe(unsigned index) const override;

private:
    std::optional<std::string> pathOf(unsigned index) const;

    std::string firstPath_;
    std::string folder_;    // "" when the path has no folder part
    std::string firstName_;
    std::vector<std::string> openedPaths_;  // by index, as found on disk
};

}  // namespace q32::ace
