#include "platform/processes.h"

namespace q32 {

CommandLine::CommandLine(std::string_view fixedPart, std::vector<std::string> names) {
    std::size_t start = fixedPart.find_first_not_of(' ');
    while (start != std::string_view::npos) {
        const std::size_t end = fixedPart.find(' ', start);
        words.emplace_back(fixedPart.substr(start, end - start));
        start = fixedPart.find_first_not_of(' ', end);
    }
    for (std::string& name : names) words.push_back(std::move(name));
}

std::string CommandLine::text() const {
    std::string line;
    for (std::size_t i = 0; i < words.size(); ++i) line += (i == 0 ? "" : " ") + words[i];
    return line;
}

}  // namespace q32
