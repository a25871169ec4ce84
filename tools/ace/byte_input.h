// Sources of archive bytes, read from the front: a volume file on disk, or
// bytes in memory (tests and fuzzing).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

namespace q32::ace {

class ByteInput {
public:
    virtual ~ByteInput() = default;
    // Up to `size` bytes; fewer only at the end of the input. Throws AceError
    // when the input cannot be read.
    virtual std::size_t read(std::uint8_t* buffer, std::size_t size) = 0;
};

// Reads until `size` bytes are in or the input ends; returns the count read.
std::size_t readFully(ByteInput& input, std::uint8_t* buffer, std::size_t size);

// Reads and drops up to `count` bytes; returns the count dropped.
std::uint64_t skipBytes(ByteInput& input, std::uint64_t count);

class FileInput : public ByteInput {
public:
    // nullptr when the file cannot be opened.
    static std::unique_ptr<FileInput> open(const std::string& path);
    ~FileInput() override;
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;

    std::size_t read(std::uint8_t* buffer, std::size_t size) override;

private:
    FileInput(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
    std::FILE* file_;
    std::string path_;
};

class MemoryInput : public ByteInput {
public:
    explicit MemoryInput(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t read(std::uint8_t* buffer, std::size_t size) override;

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace q32::ace
