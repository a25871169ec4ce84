// Small text rules shared by every part of the program: folder joins, the
// number-in-text format, ASCII case changes. Text is bytes (std::string).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace q32 {

// Lower- and upper-casing touch ASCII letters only; other bytes stay as they are.
std::string lower(std::string_view text);
std::string upper(std::string_view text);
bool equalsNoCase(std::string_view a, std::string_view b);

// Position of `needle` in `haystack` from byte `from` on, without regard to
// ASCII case; std::string::npos when absent.
std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t from = 0);

// The last `n` bytes of `text` (all of it when shorter).
std::string_view rightPart(std::string_view text, std::size_t n);

// A folder that ends in "\" (a drive root) is joined without a second
// backslash; every other folder gets exactly one.
std::string joinPath(std::string_view folder, std::string_view name);

// A folder as the commands use it before adding "\" + name themselves: a
// drive root ("c:\") keeps only its drive and colon ("c:").
std::string folderWithoutRoot(std::string_view folder);
// Back again: a bare drive ("c:") is its root folder ("c:\").
std::string folderWithRoot(std::string_view folder);

// Folder part of a full path: up to the last backslash; a drive root keeps
// its backslash ("C:\A.ZIP" gives "C:\"). Empty when there is no backslash.
std::string folderOf(std::string_view path);

// Text after the last backslash (the whole text when there is none).
std::string nameOf(std::string_view path);

// Numbers in captions, reports and the settings file: one space for zero and
// positive values, a minus sign for negative ones, "." as decimal separator,
// no decimal part for whole numbers, at most seven significant digits.
std::string numText(double value);
std::string numText(std::int64_t value);
inline std::string numText(int value) { return numText(static_cast<std::int64_t>(value)); }

// A whole number with its digits grouped in threes ("1,234,567" with ',').
std::string groupDigits(std::int64_t value, const std::string& separator);

// The leading number of a text, as a lenient reader takes it: leading blanks,
// an optional sign and digits; anything else ends it. "" or "abc" give 0.
long leadingInteger(std::string_view text);

// Whether a name can travel on a command line that is split at blanks and
// reach the program unchanged: no double quotes, no control characters, no
// blank at either end and never two blanks in a row.
bool carriesOnCommandLine(std::string_view text);

// A strict reading of a whole text as a number (blanks around it allowed);
// false when the text is not exactly one number.
bool parseNumber(std::string_view text, double& value);

}  // namespace q32
