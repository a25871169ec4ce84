#include "platform/zip/libarchive_calls.h"

#include <dlfcn.h>

#include <optional>

namespace q32::zip {

namespace {

template <class Function>
bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

std::optional<LibarchiveCalls> load() {
    void* library = ::dlopen(Q32_LIBARCHIVE_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!library) return std::nullopt;
    LibarchiveCalls calls{};
    const bool complete = resolve(library, "archive_read_new", calls.readNew) &&
                          resolve(library, "archive_read_support_format_zip_streamable", calls.supportZip) &&
                          resolve(library, "archive_read_open", calls.open) &&
                          resolve(library, "archive_read_next_header", calls.nextHeader) &&
                          resolve(library, "archive_read_data", calls.readData) &&
                          resolve(library, "archive_read_free", calls.free);
    // The library stays loaded for the life of the process.
    if (!complete) return std::nullopt;
    return calls;
}

}  // namespace

const LibarchiveCalls* libarchiveCalls() {
    static const std::optional<LibarchiveCalls> calls = load();
    return calls ? &*calls : nullptr;
}

}  // namespace q32::zip
