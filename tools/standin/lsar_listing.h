// What `lsar -json` says an archive holds: the listing the RAR stand-in
// checks unar's work against.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q32::standin {

struct ListedFile {
    std::string name;  // relative, with "/" between folders, UTF-8
    std::uintmax_t size = 0;
};

// The files of the listing, leaving out folders, links and resource forks.
// Nothing when the text is not a listing, or lsar reported an error in it
// (a damaged or truncated archive, a file that is no archive).
std::optional<std::vector<ListedFile>> parseLsarListing(std::string_view json);

}  // namespace q32::standin
