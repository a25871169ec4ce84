#include "common/wildcard.h"

#include "common/text.h"

namespace q32 {

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    // "*.*" means every file, also one whose name has no dot.
    if (pattern == "*.*") return true;
    // Iterative match with one back-tracking point for the last "*": linear
    // in practice, never exponential.
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || equalsNoCase(pattern.substr(p, 1), name.substr(n, 1)))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool wildcardMatchAny(std::string_view patterns, std::string_view name) {
    while (true) {
        const std::size_t semicolon = patterns.find(';');
        const std::string_view one = patterns.substr(0, semicolon);
        if (!one.empty() && wildcardMatch(one, name)) return true;
        if (semicolon == std::string_view::npos) return false;
        patterns.remove_prefix(semicolon + 1);
    }
}

}  // namespace q32
