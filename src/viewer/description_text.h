// The texts the viewers show, as free functions over bytes: the program's
// banner, and the line-end rules of descriptions and NFO files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace q32 {

// Three empty lines and the program's mark in code page 437 line art: four
// lines of 37 characters, each line ended by CR LF.
std::string bannerText();

// A file's bytes as viewer text: LF becomes CR LF, CR is dropped (a lone CR
// joins its two lines), every other byte stays as it is.
std::string textWithCrLf(std::string_view bytes);

// How much of a file the viewers show. A description is ten lines and an
// NFO file a few pages; no real one comes near these, and a larger file is
// shown cut, so that neither memory nor the window's response depends on
// what an archive holds.
inline constexpr std::size_t kDescriptionShownBytes = 64 * 1024;
inline constexpr std::size_t kNfoShownBytes = 1024 * 1024;

// The last lines of a viewer's text when only the first `shown` bytes of a
// file of `fileLength` bytes are shown; "" when the whole file is.
std::string cutNote(std::uint64_t shown, std::uint64_t fileLength);

enum class LineEnds { CrLf, Lf };

// The style of a file's line ends, from its first CR or LF: CR first means
// CR LF text; LF first, or neither, means LF text.
LineEnds lineEndStyle(std::string_view bytes);

// A CR LF file as the NFO viewer shows it: all of it but a final CR LF.
std::string crLfDisplay(std::string_view bytes);

}  // namespace q32
