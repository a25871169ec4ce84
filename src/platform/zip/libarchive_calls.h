// libarchive, loaded when the first PPMd member comes along: it is the one
// library in Debian that reads PPMd (variant I) as ZIP stores it. Linked in
// directly, it and the libraries it brings (XML, cryptography) would add
// milliseconds to the start of every program that uses the engine.
#pragma once

#include <archive.h>

namespace q32::zip {

struct LibarchiveCalls {
    decltype(&archive_read_new) readNew;
    decltype(&archive_read_support_format_zip_streamable) supportZip;
    decltype(&archive_read_open) open;
    decltype(&archive_read_next_header) nextHeader;
    decltype(&archive_read_data) readData;
    decltype(&archive_read_free) free;
};

// Loads libarchive on first use (from any thread); null when it cannot be loaded.
const LibarchiveCalls* libarchiveCalls();

}  // namespace q32::zip
