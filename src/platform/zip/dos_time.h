// MS-DOS date and time fields (local time, two-second steps) as Unix time.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>

namespace q32::zip {

class DosTimeConverter {
public:
    // Nothing for an impossible date. Results are cached per date and hour,
    // so an archive of many members asks the time zone rules only a few times.
    std::optional<std::int64_t> toUnix(std::uint32_t dosDateTime);

private:
    std::unordered_map<std::uint32_t, std::int64_t> hourStarts_;
};

}  // namespace q32::zip
