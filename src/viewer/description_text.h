// The texts the viewers show, as free functions over bytes: the program's
// banner, and the line-end rules of descriptions and NFO files.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace q32 {

// Three empty lines and the program's mark in code page 437 line art: four
// lines of 37 characters, each line ended by CR LF.
std::string bannerText();

// A file's bytes as viewer text: LF becomes CR LF, CR is dropped (a lone CR
// joins its two lines), every other byte stays as it is. `onStep`, when set,
// is handed the text so far each time the count of other bytes, starting
// from 1, reaches a multiple of `step`, so a long file can be shown while
// it is being read.
std::string textWithCrLf(std::string_view bytes, const std::function<void(const std::string&)>& onStep = {},
                         std::size_t step = 2000);

enum class LineEnds { CrLf, Lf };

// The style of a file's line ends, from its first CR or LF: CR first means
// CR LF text; LF first, or neither, means LF text.
LineEnds lineEndStyle(std::string_view bytes);

// A CR LF file as the NFO viewer shows it: all of it but a final CR LF.
std::string crLfDisplay(std::string_view bytes);

}  // namespace q32
