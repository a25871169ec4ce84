#include "common/text.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace q32 {

namespace {

char lowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char upperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// "1.500000e+03" style output of %.6e turned into plain decimal digits.
std::string trimFraction(std::string digits) {
    if (digits.find('.') == std::string::npos) return digits;
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (!digits.empty() && digits.back() == '.') digits.pop_back();
    return digits;
}

}  // namespace

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lowerChar(c);
    return out;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = upperChar(c);
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerChar(a[i]) != lowerChar(b[i])) return false;
    }
    return true;
}

std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t from) {
    if (needle.size() > haystack.size()) return std::string::npos;
    for (std::size_t i = from; i + needle.size() <= haystack.size(); ++i) {
        if (equalsNoCase(haystack.substr(i, needle.size()), needle)) return i;
    }
    return std::string::npos;
}

std::string_view rightPart(std::string_view text, std::size_t n) {
    return n >= text.size() ? text : text.substr(text.size() - n);
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (out.empty() || out.back() != '\\') out += '\\';
    out += name;
    return out;
}

std::string folderWithoutRoot(std::string_view folder) {
    if (!folder.empty() && folder.back() == '\\') return std::string(folder.substr(0, 2));
    return std::string(folder);
}

std::string folderWithRoot(std::string_view folder) {
    if (folder.size() == 2 && folder[1] == ':') return std::string(folder) + "\\";
    return std::string(folder);
}

std::string folderOf(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string_view::npos) return {};
    const bool driveRoot = slash == 2 && path.size() > 1 && path[1] == ':';
    return std::string(path.substr(0, driveRoot ? slash + 1 : slash));
}

std::string nameOf(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string numText(std::int64_t value) {
    return (value < 0 ? "" : " ") + std::to_string(value);
}

std::string numText(double value) {
    if (value == 0) return " 0";
    const std::string sign = value < 0 ? "-" : " ";
    const double magnitude = std::fabs(value);
    const int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    // to_chars never looks at the locale, so "." stays the decimal separator.
    char buffer[64];
    if (exponent >= 7 || exponent < -7) {
        auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 6).ptr;
        std::string text(buffer, end);
        const std::size_t e = text.find('e');
        return sign + trimFraction(text.substr(0, e)) + "E" + text.substr(e + 1);
    }
    const int decimals = exponent >= 6 ? 0 : 6 - exponent;
    auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, decimals).ptr;
    return sign + trimFraction(std::string(buffer, end));
}

std::string groupDigits(std::int64_t value, const std::string& separator) {
    const std::string digits = std::to_string(value < 0 ? -value : value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return (value < 0 ? "-" : "") + out;
}

long leadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        if (value > 100000000L) break;
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

bool parseNumber(std::string_view text, double& value) {
    const std::string body(trimBlanks(text));
    if (body.empty()) return false;
    for (char c : body) {
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '+' && c != 'E' &&
            c != 'e')
            return false;
    }
    const char* first = body.c_str() + (body.front() == '+' ? 1 : 0);
    const char* last = body.c_str() + body.size();
    double parsed = 0;
    const auto result = std::from_chars(first, last, parsed);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool carriesOnCommandLine(std::string_view text) {
    if (text.empty() || text.front() == ' ' || text.back() == ' ') return false;
    if (text.find("  ") != std::string_view::npos) return false;
    for (unsigned char c : text) {
        if (c == '"' || c < 0x20 || c == 0x7f) return false;
    }
    return true;
}

}  // namespace q32
