// libzip, loaded when the first member of a method other than stored or
// deflated comes along. Linked in directly, it and the libraries it brings
// (cryptography among them) add milliseconds to the start of every program
// that uses the engine, which most archives never need.
#pragma once

#include <zip.h>

namespace q32::zip {

struct LibzipCalls {
    decltype(&zip_open) open;
    decltype(&zip_discard) discard;
    decltype(&zip_fopen_index) fopenIndex;
    decltype(&zip_fread) fread;
    decltype(&zip_fclose) fclose;
    decltype(&zip_get_error) getError;
    decltype(&zip_file_get_error) fileGetError;
    decltype(&zip_error_code_zip) errorCode;
    decltype(&zip_compression_method_supported) methodSupported;
};

// Loads libzip on first use (from any thread); null when it cannot be loaded.
const LibzipCalls* libzipCalls();

}  // namespace q32::zip
