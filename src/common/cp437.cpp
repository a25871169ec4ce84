#include "common/cp437.h"

#include <array>
#include <cstdint>
#include <optional>

namespace q32 {

namespace {

// What the screen shows for the control bytes 0x00 to 0x1F.
constexpr std::array<char16_t, 32> kControlGlyphs = {
    0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};

constexpr char16_t kHouse = 0x2302;  // 0x7F

constexpr std::array<char16_t, 128> kUpperHalf = {
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

// Continuation bytes needed after a lead byte, and the least code point the
// sequence may stand for (shorter forms are overlong).
struct Lead {
    int continuations;
    std::uint32_t least;
};

std::optional<Lead> leadOf(unsigned char byte) {
    if (byte < 0x80) return Lead{0, 0};
    if ((byte & 0xE0) == 0xC0) return Lead{1, 0x80};
    if ((byte & 0xF0) == 0xE0) return Lead{2, 0x800};
    if ((byte & 0xF8) == 0xF0) return Lead{3, 0x10000};
    return std::nullopt;
}

}  // namespace

char16_t cp437Glyph(unsigned char byte) {
    if (byte < 0x20) return kControlGlyphs[byte];
    if (byte == 0x7F) return kHouse;
    if (byte < 0x80) return byte;
    return kUpperHalf[byte - 0x80];
}

std::string cp437ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) out += c;
        else appendUtf8(out, kUpperHalf[byte - 0x80]);
    }
    return out;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = leadOf(static_cast<unsigned char>(text[i]));
        if (!lead || static_cast<std::size_t>(lead->continuations) > text.size() - i - 1) return false;
        std::uint32_t point = static_cast<unsigned char>(text[i]) & (0x7F >> lead->continuations);
        for (int k = 1; k <= lead->continuations; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            if ((byte & 0xC0) != 0x80) return false;
            point = (point << 6) | (byte & 0x3F);
        }
        const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
        if (point < lead->least || point > 0x10FFFF || surrogate) return false;
        i += 1 + lead->continuations;
    }
    return true;
}

std::string utf8Name(std::string_view name) { return isValidUtf8(name) ? std::string(name) : cp437ToUtf8(name); }

}  // namespace q32
