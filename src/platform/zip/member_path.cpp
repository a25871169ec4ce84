#include "platform/zip/member_path.h"

namespace q32::zip {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool startsWithDrive(std::string_view name) { return name.size() >= 2 && isLetter(name[0]) && name[1] == ':'; }

}  // namespace

bool splitSafeName(std::string_view name, std::vector<std::string_view>& components) {
    components.clear();
    if (name.empty() || isSeparator(name.front()) || startsWithDrive(name)) return false;
    if (name.size() > MaxNameBytes || name.find('\0') != std::string_view::npos) return false;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = start;
        while (end < name.size() && !isSeparator(name[end])) ++end;
        const std::string_view part = name.substr(start, end - start);
        if (part == ".." || part.size() > MaxComponentBytes) return false;
        if (!part.empty() && part != ".") components.push_back(part);
        if (components.size() > MaxNameDepth) return false;
        start = end + 1;
    }
    return !components.empty();
}

std::string_view fileNameOf(std::string_view name) {
    while (!name.empty() && isSeparator(name.back())) name.remove_suffix(1);
    std::size_t at = name.size();
    while (at > 0 && !isSeparator(name[at - 1])) --at;
    return name.substr(at);
}

}  // namespace q32::zip
