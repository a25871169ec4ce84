#include "archive_reader.h"

#include "ace_crc.h"
#include "ace_error.h"
#include "bit_reader.h"
#include "headers.h"
#include "lz77_decoder.h"
#include "member_names.h"

#include <array>
#include <limits>
#include <optional>
#include <utility>

namespace q32::ace {
namespace {

constexpr std::size_t kStoredChunk = 1u << 16;

class ArchiveReader;

// The packed data of one member, which may run on over several volumes.
class PackedData : public ByteInput {
public:
    PackedData(ArchiveReader& reader, FileHeader firstSegment)
        : reader_(reader), segment_(std::move(firstSegment)), left_(segment_.packedSize) {}

    std::size_t read(std::uint8_t* buffer, std::size_t size) override;

    // Reads past whatever the decoder left unread; returns how much that was.
    std::uint64_t drain() { return skipBytes(*this, std::numeric_limits<std::uint64_t>::max()); }

    // The member's last segment: its header holds the CRC of the whole member.
    const FileHeader& lastSegment() const { return segment_; }

private:
    ArchiveReader& reader_;
    FileHeader segment_;
    std::uint64_t left_;
};

// Drops a half-written file when the read stops early.
class FileInProgress {
public:
    explicit FileInProgress(MemberSink* sink) : sink_(sink) {}
    ~FileInProgress() {
        if (sink_)
            sink_->dropFile();
    }
    FileInProgress(const FileInProgress&) = delete;
    FileInProgress& operator=(const FileInProgress&) = delete;
    void keep() {
        MemberSink* sink = std::exchange(sink_, nullptr);
        if (sink)
            sink->keepFile();
    }
    void drop() {
        MemberSink* sink = std::exchange(sink_, nullptr);
        if (sink)
            sink->dropFile();
    }

private:
    MemberSink* sink_;
};

class ArchiveReader {
public:
    ArchiveReader(VolumeSource& volumes, MemberSink& sink) : volumes_(volumes), sink_(sink) {}

    ReadSummary run();

    ByteInput& input() { return *input_; }
    std::string where() const { return volumes_.describe(volumeIndex_); }
    FileHeader continuation(const FileHeader& segment);
    std::string memberText(const FileHeader& file) const;

private:
    void openFirstVolume();
    void openVolume(unsigned index, std::unique_ptr<ByteInput> input);
    bool openNextVolumeIfAny();
    void handleHeader(const RawHeader& header);
    void handleMember(const FileHeader& file);
    void checkDecodable(const FileHeader& file) const;
    void extractFile(const FileHeader& file, const std::optional<std::string>& path);
    void decode(const FileHeader& file, PackedData& data, const OutputFn& out);
    void copyStored(const FileHeader& file, PackedData& data, const OutputFn& out);

    VolumeSource& volumes_;
    MemberSink& sink_;
    std::unique_ptr<ByteInput> input_;
    unsigned volumeIndex_ = 0;
    MainHeader main_;
    std::uint8_t host_ = 0;
    Lz77Decoder decoder_;
    ReadSummary summary_;
};

std::size_t PackedData::read(std::uint8_t* buffer, std::size_t size) {
    while (left_ == 0) {
        if (!segment_.has(header_flag::kContinuesInNext))
            return 0;
        segment_ = reader_.continuation(segment_);
        left_ = segment_.packedSize;
    }
    const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(size, left_));
    const std::size_t got = readFully(reader_.input(), buffer, want);
    if (got < want)
        throw AceError(AceResult::Truncated, reader_.where() + ": the volume ends inside the data of " +
                                                 reader_.memberText(segment_));
    left_ -= got;
    return got;
}

ReadSummary ArchiveReader::run() {
    openFirstVolume();
    for (;;) {
        const std::optional<RawHeader> header = readHeader(*input_, where());
        if (header)
            handleHeader(*header);
        else if (!openNextVolumeIfAny())
            break;
    }
    return summary_;
}

void ArchiveReader::openFirstVolume() {
    std::unique_ptr<ByteInput> first = volumes_.open(0);
    if (!first)
        throw AceError(AceResult::CannotOpen, volumes_.describe(0) + ": cannot be opened");
    openVolume(0, std::move(first));
    host_ = main_.host;
    if ((main_.flags & header_flag::kMultiVolume) && main_.volumeNumber != 0)
        throw AceError(AceResult::NotFirstVolume,
                       where() + ": is volume " + std::to_string(main_.volumeNumber + 1) +
                           " of a volume set, not its first volume");
}

void ArchiveReader::openVolume(unsigned index, std::unique_ptr<ByteInput> input) {
    const std::uint8_t previousNumber = main_.volumeNumber;
    input_ = std::move(input);
    volumeIndex_ = index;
    main_ = readMainHeader(*input_, where());
    if (index > 0 && main_.volumeNumber != static_cast<std::uint8_t>(previousNumber + 1))
        throw AceError(AceResult::Damaged, where() + ": is not the volume that follows " +
                                               volumes_.describe(index - 1));
}

bool ArchiveReader::openNextVolumeIfAny() {
    if (!(main_.flags & header_flag::kMultiVolume))
        return false;
    std::unique_ptr<ByteInput> next = volumes_.open(volumeIndex_ + 1);
    if (!next)
        return false;
    openVolume(volumeIndex_ + 1, std::move(next));
    return true;
}

FileHeader ArchiveReader::continuation(const FileHeader& segment) {
    const unsigned index = volumeIndex_ + 1;
    std::unique_ptr<ByteInput> next = volumes_.open(index);
    if (!next)
        throw AceError(AceResult::MissingVolume, memberText(segment) + " continues in " +
                                                     volumes_.describe(index) + ", which is missing");
    openVolume(index, std::move(next));
    const std::optional<RawHeader> raw = readHeader(*input_, where());
    if (!raw || (raw->type() != header_type::kFile32 && raw->type() != header_type::kFile64))
        throw AceError(AceResult::Damaged, where() + ": does not continue " + memberText(segment));
    FileHeader nextSegment = parseFileHeader(*raw, where());
    if (!nextSegment.has(header_flag::kContinuedFromPrevious) || nextSegment.name != segment.name)
        throw AceError(AceResult::Damaged, where() + ": does not continue " + memberText(segment));
    return nextSegment;
}

void ArchiveReader::handleHeader(const RawHeader& header) {
    if (header.type() == header_type::kMain)
        throw AceError(AceResult::Damaged, where() + ": holds a second main header");
    if (header.type() == header_type::kFile32 || header.type() == header_type::kFile64) {
        handleMember(parseFileHeader(header, where()));
        return;
    }
    // Recovery records and other headers: skip what follows them.
    const std::uint64_t size = trailingDataSize(header, where());
    if (skipBytes(*input_, size) < size)
        throw AceError(AceResult::Truncated, where() + ": the volume ends inside a record");
}

void ArchiveReader::handleMember(const FileHeader& file) {
    if (file.has(header_flag::kContinuedFromPrevious)) {
        const AceResult result = volumeIndex_ == 0 ? AceResult::NotFirstVolume : AceResult::Damaged;
        throw AceError(result, where() + ": " + memberText(file) +
                                   " continues from a volume before this one");
    }
    const std::optional<std::string> path = destinationPath(file.name, host_);
    if (!path)
        summary_.skippedNames.push_back(nameToUtf8(file.name, host_));
    if (!file.isFolder()) {
        extractFile(file, path);
        return;
    }
    PackedData data(*this, file);
    data.drain();
    if (path) {
        sink_.makeFolder(*path);
        ++summary_.folders;
    }
}

void ArchiveReader::checkDecodable(const FileHeader& file) const {
    if (file.has(header_flag::kPassword))
        throw AceError(AceResult::Unsupported, where() + ": " + memberText(file) +
                                                   " is encrypted, which this reader does not decode");
    if (file.method == method::kBlocked)
        throw AceError(AceResult::Unsupported, where() + ": " + memberText(file) +
                                                   " is compressed with an ACE 2.0 method; this reader "
                                                   "decodes ACE 1.0 archives only");
    if (file.method != method::kStored && file.method != method::kLz77)
        throw AceError(AceResult::Unsupported, where() + ": " + memberText(file) +
                                                   " uses unknown method " + std::to_string(file.method));
}

void ArchiveReader::extractFile(const FileHeader& file, const std::optional<std::string>& path) {
    if (file.size > 0)
        checkDecodable(file);  // an empty file needs no decoding
    FileInProgress inProgress(path ? &sink_ : nullptr);
    if (path)
        sink_.beginFile(*path, file.dosTime);
    std::uint32_t crc = kCrcStart;
    const OutputFn out = [&](const std::uint8_t* bytes, std::size_t size) {
        crc = updateCrc(crc, bytes, size);
        if (path)
            sink_.write(bytes, size);
    };
    PackedData data(*this, file);
    decode(file, data, out);
    const std::uint32_t expected = data.lastSegment().crc;
    if (file.size > 0 && crc != expected) {
        inProgress.drop();
        throw AceError(AceResult::Damaged, where() + ": " + memberText(file) + " fails its CRC check");
    }
    inProgress.keep();
    if (path)
        ++summary_.files;
}

void ArchiveReader::decode(const FileHeader& file, PackedData& data, const OutputFn& out) {
    if (file.size == 0) {
        data.drain();
        return;
    }
    if (file.method == method::kStored) {
        copyStored(file, data, out);
        return;
    }
    BitReader bits(data);
    decoder_.decodeMember(bits, file.size, out);
    data.drain();
}

void ArchiveReader::copyStored(const FileHeader& file, PackedData& data, const OutputFn& out) {
    std::array<std::uint8_t, kStoredChunk> chunk;
    std::uint64_t left = file.size;
    while (left > 0) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), left));
        const std::size_t got = readFully(data, chunk.data(), want);
        if (got < want)
            throw AceError(AceResult::Damaged, where() + ": " + memberText(file) +
                                                   " has less stored data than its size");
        decoder_.passStored(chunk.data(), got);
        out(chunk.data(), got);
        left -= got;
    }
    if (data.drain() > 0)
        throw AceError(AceResult::Damaged, where() + ": " + memberText(file) +
                                               " has more stored data than its size");
}

std::string ArchiveReader::memberText(const FileHeader& file) const {
    return "\"" + nameToUtf8(file.name, host_) + "\"";
}

}  // namespace

ReadSummary readArchive(VolumeSource& volumes, MemberSink& sink) {
    return ArchiveReader(volumes, sink).run();
}

}  // namespace q32::ace
