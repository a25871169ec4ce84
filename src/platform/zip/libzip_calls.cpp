#include "platform/zip/libzip_calls.h"

#include <dlfcn.h>

#include <optional>

namespace q32::zip {

namespace {

template <class Function>
bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

std::optional<LibzipCalls> load() {
    void* library = ::dlopen(Q32_LIBZIP_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!library) return std::nullopt;
    LibzipCalls calls{};
    const bool complete = resolve(library, "zip_open", calls.open) && resolve(library, "zip_discard", calls.discard) &&
                          resolve(library, "zip_fopen_index", calls.fopenIndex) &&
                          resolve(library, "zip_fread", calls.fread) && resolve(library, "zip_fclose", calls.fclose) &&
                          resolve(library, "zip_get_error", calls.getError) &&
                          resolve(library, "zip_file_get_error", calls.fileGetError) &&
                          resolve(library, "zip_error_code_zip", calls.errorCode) &&
                          resolve(library, "zip_compression_method_supported", calls.methodSupported);
    // The library stays loaded for the life of the process.
    if (!complete) return std::nullopt;
    return calls;
}

}  // namespace

const LibzipCalls* libzipCalls() {
    static const std::optional<LibzipCalls> calls = load();
    return calls ? &*calls : nullptr;
}

}  // namespace q32::zip
