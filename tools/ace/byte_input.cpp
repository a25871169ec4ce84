#include "byte_input.h"

#include "ace_error.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <sys/stat.h>

namespace q32::ace {

std::size_t readFully(ByteInput& input, std::uint8_t* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const std::size_t got = input.read(buffer + done, size - done);
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

std::uint64_t skipBytes(ByteInput& input, std::uint64_t count) {
    std::array<std::uint8_t, 16384> scratch;
    std::uint64_t done = 0;
    while (done < count) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(scratch.size(), count - done));
        const std::size_t got = input.read(scratch.data(), want);
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

std::unique_ptr<FileInput> FileInput::open(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rbe");
    if (!file)
        return nullptr;
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return std::unique_ptr<FileInput>(new FileInput(file, path));
}

FileInput::~FileInput() { std::fclose(file_); }

std::size_t FileInput::read(std::uint8_t* buffer, std::size_t size) {
    const std::size_t got = std::fread(buffer, 1, size, file_);
    if (got < size && std::ferror(file_))
        throw AceError(AceResult::CannotOpen, path_ + ": cannot be read: " + std::strerror(errno));
    return got;
}

std::size_t MemoryInput::read(std::uint8_t* buffer, std::size_t size) {
    const std::size_t count = std::min(size, bytes_.size() - position_);
    if (count > 0)
        std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
}

}  // namespace q32::ace
