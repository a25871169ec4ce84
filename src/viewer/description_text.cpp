#include "viewer/description_text.h"

#include <array>

#include "common/text.h"

namespace q32 {

namespace {

constexpr int kEmptyLines = 3;
constexpr std::string_view kIndent = "         ";  // 9 spaces

// The mark, three letters with a shadow on their right-hand edges, drawn
// with stand-ins for the line-art bytes (see lineArtByte).
constexpr std::array<std::string_view, 4> kMark = {
    "r-----7   ------7   ------7 ",
    "|     ||    ----J|  r-----J|",
    "|   -7||    ----7|  |       ",
    "L----^J|  ------J|  L------ ",
};

char lineArtByte(char stand) {
    switch (stand) {
        case '|': return '\xB3';
        case '-': return '\xC4';
        case 'r': return '\xDA';
        case '7': return '\xBF';
        case 'L': return '\xC0';
        case 'J': return '\xD9';
        case '^': return '\xC1';
        default: return stand;
    }
}

}  // namespace

std::string bannerText() {
    std::string text;
    for (int line = 0; line < kEmptyLines; ++line) text += "\r\n";
    for (std::string_view row : kMark) {
        text += kIndent;
        for (char stand : row) text += lineArtByte(stand);
        text += "\r\n";
    }
    return text;
}

std::string textWithCrLf(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16);
    for (char byte : bytes) {
        if (byte == '\n') text += "\r\n";
        else if (byte != '\r') text += byte;
    }
    return text;
}

std::string cutNote(std::uint64_t shown, std::uint64_t fileLength) {
    if (fileLength <= shown) return "";
    const auto bytes = [](std::uint64_t n) { return groupDigits(static_cast<std::int64_t>(n), ","); };
    return "\r\n\r\n--- The file is cut here: " + bytes(shown) + " of its " + bytes(fileLength) +
           " bytes are shown. ---";
}

LineEnds lineEndStyle(std::string_view bytes) {
    const std::size_t first = bytes.find_first_of("\r\n");
    if (first != std::string_view::npos && bytes[first] == '\r') return LineEnds::CrLf;
    return LineEnds::Lf;
}

std::string crLfDisplay(std::string_view bytes) {
    if (bytes.ends_with("\r\n")) bytes.remove_suffix(2);
    return std::string(bytes);
}

}  // namespace q32
