// LZMA as ZIP stores it: two bytes of encoder version, the size of the
// properties (two bytes, 5), the properties, then the raw LZMA stream, with
// or without an end marker. liblzma decodes it knowing the member's size.
#include <lzma.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "platform/zip/decode_failure.h"
#include "platform/zip/lzma_stream.h"
#include "platform/zip/method_decoders.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr std::size_t PropertiesSize = 5;

// The properties' options, freed with the filter.
class LzmaFilter {
public:
    explicit LzmaFilter(const std::array<unsigned char, PropertiesSize>& properties) {
        filters_[0].id = LZMA_FILTER_LZMA1;
        filters_[1].id = LZMA_VLI_UNKNOWN;
        LzmaStream::check(lzma_properties_decode(&filters_[0], nullptr, properties.data(), properties.size()));
    }
    ~LzmaFilter() { free(filters_[0].options); }
    LzmaFilter(const LzmaFilter&) = delete;
    LzmaFilter& operator=(const LzmaFilter&) = delete;

    // Known size, end marker allowed; no larger dictionary than the member.
    void setSize(std::uint64_t size) {
        auto* options = static_cast<lzma_options_lzma*>(filters_[0].options);
        filters_[0].id = LZMA_FILTER_LZMA1EXT;
        options->ext_flags = LZMA_LZMA1EXT_ALLOW_EOPM;
        options->ext_size_low = static_cast<std::uint32_t>(size);
        options->ext_size_high = static_cast<std::uint32_t>(size >> 32);
        const std::uint64_t smallest = std::max<std::uint64_t>(size, LZMA_DICT_SIZE_MIN);
        options->dict_size = static_cast<std::uint32_t>(std::min<std::uint64_t>(options->dict_size, smallest));
    }
    const lzma_filter* filters() const { return filters_.data(); }

private:
    std::array<lzma_filter, 2> filters_{};
};

}  // namespace

void decompressLzma(CompressedInput& input, DecodedOutput& output, const MemberFacts& member) {
    ChunkFeed feed(input);
    std::array<unsigned char, 4> header{};
    std::array<unsigned char, PropertiesSize> properties{};
    if (!feed.read(header.data(), header.size())) throw DecodeFailure{zipcode::BadData};
    if (header[2] != PropertiesSize || header[3] != 0) throw DecodeFailure{zipcode::BadData};
    if (!feed.read(properties.data(), properties.size())) throw DecodeFailure{zipcode::BadData};
    LzmaFilter filter(properties);
    filter.setSize(member.size);
    LzmaStream stream;
    LzmaStream::check(lzma_raw_decoder(&*stream, filter.filters()));
    runLzma(stream, feed, output);
}

}  // namespace q32::zip
