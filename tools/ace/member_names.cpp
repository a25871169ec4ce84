#include "member_names.h"

#include <array>
#include <vector>

namespace q32::ace {
namespace {

constexpr std::array<char16_t, 128> kOemUpperHalf = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

// Hosts whose archivers store names in the OEM code page.
constexpr std::uint8_t kHostMsDos = 0;
constexpr std::uint8_t kHostOs2 = 1;
constexpr std::uint8_t kHostWin32 = 2;
constexpr std::uint8_t kHostWinNt = 5;

void appendUtf8(std::string& out, char16_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Well-formed enough to be used as a file name: lead bytes followed by the
// right number of continuation bytes.
bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = utf8SequenceLength(lead);
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

bool usesOemNames(std::uint8_t host) {
    return host == kHostMsDos || host == kHostOs2 || host == kHostWin32 || host == kHostWinNt;
}

std::vector<std::string_view> splitParts(std::string_view name) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '\\' || name[i] == '/') {
            parts.push_back(name.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

bool isDrive(std::string_view part) {
    return part.find(':') != std::string_view::npos;
}

}  // namespace

std::string oemToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out += c;
        else
            appendUtf8(out, kOemUpperHalf[byte - 0x80]);
    }
    return out;
}

std::string nameToUtf8(std::string_view name, std::uint8_t host) {
    if (!usesOemNames(host) && isUtf8(name))
        return std::string(name);
    return oemToUtf8(name);
}

std::optional<std::string> destinationPath(std::string_view storedName, std::uint8_t host) {
    const std::size_t end = storedName.find('\0');
    if (end != std::string_view::npos)
        storedName = storedName.substr(0, end);
    const std::vector<std::string_view> parts = splitParts(storedName);
    if (parts.front().empty() && parts.size() > 1)
        return std::nullopt;  // starts at the root
    if (isDrive(parts.front()))
        return std::nullopt;
    std::string path;
    for (std::string_view part : parts) {
        if (part == "..")
            return std::nullopt;
        if (part.empty() || part == ".")
            continue;
        if (!path.empty())
            path += '/';
        path += nameToUtf8(part, host);
    }
    if (path.empty())
        return std::nullopt;
    return path;
}

}  // namespace q32::ace
