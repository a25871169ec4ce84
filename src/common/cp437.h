// Code page 437, the character set of the PC's screen and of DOS and Windows
// archivers' file names: the one table that turns its bytes into Unicode.
#pragma once

#include <string>
#include <string_view>

namespace q32 {

// The character the PC's screen draws for a byte: ASCII as it is, the upper
// half's letters, symbols and line art, and the symbols the screen shows for
// the control bytes (0x01 a smiling face, 0x7F a house; 0x00 a blank).
char16_t cp437Glyph(unsigned char byte);

// Text in code page 437 as UTF-8, for names and plain text: bytes below 0x80
// stay as they are, the upper half goes through the table.
std::string cp437ToUtf8(std::string_view text);

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool isValidUtf8(std::string_view text);

// A file name's bytes as UTF-8: as they are when they already are UTF-8,
// else read as code page 437 (the DOS archivers' names).
std::string utf8Name(std::string_view name);

}  // namespace q32
