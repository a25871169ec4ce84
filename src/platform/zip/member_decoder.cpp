#include "platform/zip/member_decoder.h"

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include "platform/zip/libzip_calls.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr std::size_t ReadChunkSize = 1 << 20;
constexpr std::size_t OutputChunkSize = 256 << 10;

std::int16_t inputFailure(CompressedInput::Status status) {
    return status == CompressedInput::Status::ReadError ? zipcode::CannotOpen : zipcode::Truncated;
}

std::int16_t libzipFailure(int error) {
    switch (error) {
    case ZIP_ER_CRC: return zipcode::CrcMismatch;
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD: return zipcode::Unsupported;
    case ZIP_ER_EOF: return zipcode::Truncated;
    case ZIP_ER_READ:
    case ZIP_ER_OPEN: return zipcode::CannotOpen;
    case ZIP_ER_INCONS:
    case ZIP_ER_NOZIP: return zipcode::NotAZip;
    default: return zipcode::BadData;
    }
}

// Checks that a decoded member has the size and CRC its directory entry gives.
std::int16_t verify(const MemberEntry& entry, std::uint64_t produced, std::uint32_t crc) {
    if (produced != entry.size) return zipcode::BadData;
    return crc == entry.crc ? zipcode::Success : zipcode::CrcMismatch;
}

}  // namespace

MemberDecoder::MemberDecoder()
    : inflater_(std::make_unique<inflate_state>()),
      readChunk_(ReadChunkSize),
      output_(std::make_unique_for_overwrite<unsigned char[]>(OutputChunkSize)) {
    isal_inflate_init(inflater_.get());
}

MemberDecoder::~MemberDecoder() {
    if (libzipArchive_) libzipCalls()->discard(libzipArchive_);
}

void MemberDecoder::startArchive(const std::string& hostPath) {
    if (libzipArchive_) libzipCalls()->discard(libzipArchive_);
    libzipArchive_ = nullptr;
    libzipFailed_ = false;
    archivePath_ = hostPath;
}

std::int16_t MemberDecoder::decode(const MemberEntry& entry, std::size_t index, CompressedInput& input,
                                   ByteSink& sink, WorkerProgress& control) {
    if (entry.encrypted()) return zipcode::Unsupported;
    if (entry.method == method::Stored) return copyStored(entry, input, sink, control);
    if (entry.method == method::Deflated) return inflate(entry, input, sink, control);
    const LibzipCalls* libzip = libzipCalls();
    if (!libzip || !libzip->methodSupported(entry.method, 0)) return zipcode::Unsupported;
    return decodeWithLibzip(*libzip, entry, index, sink, control);
}

std::int16_t MemberDecoder::copyStored(const MemberEntry& entry, CompressedInput& input, ByteSink& sink,
                                       WorkerProgress& control) {
    if (entry.compressedSize != entry.size) return zipcode::NotAZip;
    std::uint32_t crc = 0;
    std::uint64_t produced = 0;
    const unsigned char* data = nullptr;
    std::size_t length = 0;
    CompressedInput::Status status;
    while ((status = input.next(data, length)) == CompressedInput::Status::Data) {
        crc = crc32_gzip_refl(crc, data, length);
        if (!sink.write(data, length)) return zipcode::CannotWrite;
        produced += length;
        control.addDone(length);
        if (control.stopped()) return zipcode::Aborted;
    }
    if (status != CompressedInput::Status::End) return inputFailure(status);
    return verify(entry, produced, crc);
}

std::int16_t MemberDecoder::inflate(const MemberEntry& entry, CompressedInput& input, ByteSink& sink,
                                    WorkerProgress& control) {
    inflate_state& state = *inflater_;
    isal_inflate_init(&state);
    state.crc_flag = ISAL_GZIP_NO_HDR;
    std::uint64_t produced = 0;
    bool inputEnded = false;
    while (state.block_state != ISAL_BLOCK_FINISH) {
        if (state.avail_in == 0 && !inputEnded) {
            const unsigned char* data = nullptr;
            std::size_t length = 0;
            const auto status = input.next(data, length);
            if (status == CompressedInput::Status::End) inputEnded = true;
            else if (status != CompressedInput::Status::Data) return inputFailure(status);
            state.next_in = const_cast<unsigned char*>(data);
            state.avail_in = static_cast<std::uint32_t>(length);
        }
        state.next_out = output_.get();
        state.avail_out = static_cast<std::uint32_t>(OutputChunkSize);
        const std::uint32_t inputBefore = state.avail_in;
        if (isal_inflate(&state) < 0) return zipcode::BadData;
        const std::size_t got = OutputChunkSize - state.avail_out;
        const bool stuck = got == 0 && (inputEnded || state.avail_in == inputBefore);
        if (stuck && state.block_state != ISAL_BLOCK_FINISH) return zipcode::BadData;
        produced += got;
        if (produced > entry.size) return zipcode::BadData;
        if (got > 0 && !sink.write(output_.get(), got)) return zipcode::CannotWrite;
        control.addDone(got);
        if (control.stopped()) return zipcode::Aborted;
    }
    return verify(entry, produced, state.crc);
}

std::int16_t MemberDecoder::decodeWithLibzip(const LibzipCalls& libzip, const MemberEntry& entry, std::size_t index,
                                             ByteSink& sink, WorkerProgress& control) {
    if (!libzipArchive_ && !libzipFailed_) {
        int error = 0;
        libzipArchive_ = libzip.open(archivePath_.c_str(), ZIP_RDONLY, &error);
        libzipFailed_ = libzipArchive_ == nullptr;
    }
    if (libzipFailed_) return zipcode::NotAZip;
    zip_file_t* member = libzip.fopenIndex(libzipArchive_, index, 0);
    if (!member) return libzipFailure(libzip.errorCode(libzip.getError(libzipArchive_)));
    std::uint32_t crc = 0;
    std::uint64_t produced = 0;
    std::int16_t code = zipcode::Success;
    while (code == zipcode::Success) {
        const zip_int64_t got = libzip.fread(member, output_.get(), OutputChunkSize);
        if (got < 0) code = libzipFailure(libzip.errorCode(libzip.fileGetError(member)));
        if (got <= 0) break;
        const auto length = static_cast<std::size_t>(got);
        produced += length;
        crc = crc32_gzip_refl(crc, output_.get(), length);
        if (produced > entry.size) code = zipcode::BadData;
        else if (!sink.write(output_.get(), length)) code = zipcode::CannotWrite;
        control.addDone(length);
        if (control.stopped()) code = zipcode::Aborted;
    }
    libzip.fclose(member);
    return code == zipcode::Success ? verify(entry, produced, crc) : code;
}

}  // namespace q32::zip
