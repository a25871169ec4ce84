// Reduce (factors 1 to 4): bytes coded by "follower sets", the few bytes
// most likely to follow each byte, stored at the start of the data; the
// bytes so decoded are then expanded by a run-length stage in which DLE
// (144) starts a back-reference into the last 4 KiB of output.
#include <algorithm>
#include <array>

#include "platform/zip/bit_input.h"
#include "platform/zip/decode_failure.h"
#include "platform/zip/method_decoders.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr unsigned MaxFollowers = 32;
constexpr unsigned Dle = 144;

// Bits of an index into a follower set of n bytes (n = 1 still takes one bit).
constexpr std::array<std::uint8_t, MaxFollowers + 1> IndexBits{0, 1, 1, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4,
                                                               5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5};

struct FollowerSet {
    std::uint8_t count = 0;
    std::array<std::uint8_t, MaxFollowers> bytes{};
};

using FollowerSets = std::array<FollowerSet, 256>;

void readFollowerSets(BitInput& input, FollowerSets& sets) {
    for (std::size_t j = sets.size(); j-- > 0;) {
        FollowerSet& set = sets[j];
        set.count = static_cast<std::uint8_t>(input.take(6));
        if (set.count > MaxFollowers) throw DecodeFailure{zipcode::BadData};
        for (unsigned i = 0; i < set.count; ++i) set.bytes[i] = static_cast<std::uint8_t>(input.take(8));
    }
}

// The first stage: the next byte, given the one before it.
unsigned char nextByte(BitInput& input, const FollowerSet& set) {
    if (set.count == 0 || input.take(1) != 0) return static_cast<unsigned char>(input.take(8));
    const std::uint32_t index = input.take(IndexBits[set.count]);
    if (index >= set.count) throw DecodeFailure{zipcode::BadData};
    return set.bytes[index];
}

// The second stage, fed one byte at a time.
class Expander {
public:
    Expander(DecodedOutput& output, unsigned factor)
        : output_(output), lengthMask_(0xFFu >> factor), distanceShift_(8 - factor) {}

    void feed(unsigned char byte) {
        switch (state_) {
        case State::Plain: return plain(byte);
        case State::AfterDle: return afterDle(byte);
        case State::ExtraLength:
            length_ += byte;
            state_ = State::Distance;
            return;
        case State::Distance: return backReference(byte);
        }
    }

private:
    enum class State { Plain, AfterDle, ExtraLength, Distance };

    void plain(unsigned char byte) {
        if (byte == Dle) state_ = State::AfterDle;
        else output_.put(byte);
    }
    void afterDle(unsigned char byte) {
        if (byte == 0) {
            output_.put(Dle);
            state_ = State::Plain;
            return;
        }
        lengthByte_ = byte;
        length_ = byte & lengthMask_;
        state_ = length_ == lengthMask_ ? State::ExtraLength : State::Distance;
    }
    void backReference(unsigned char byte) {
        const std::size_t distance = ((std::size_t{lengthByte_} >> distanceShift_) << 8) + byte + 1;
        const std::size_t length = std::min<std::uint64_t>(length_ + 3, output_.remaining());
        output_.copy(distance, length);
        state_ = State::Plain;
    }

    DecodedOutput& output_;
    unsigned lengthMask_;
    unsigned distanceShift_;
    State state_ = State::Plain;
    unsigned lengthByte_ = 0;
    std::size_t length_ = 0;
};

}  // namespace

void unreduce(CompressedInput& compressed, DecodedOutput& output, unsigned factor) {
    BitInput input(compressed);
    FollowerSets sets;
    readFollowerSets(input, sets);
    Expander expander(output, factor);
    unsigned char last = 0;
    while (output.remaining() > 0) {
        last = nextByte(input, sets[last]);
        expander.feed(last);
    }
    if (!input.withinData()) throw DecodeFailure{zipcode::BadData};
}

}  // namespace q32::zip
