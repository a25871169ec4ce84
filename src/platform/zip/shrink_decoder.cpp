// Shrink: LZW with codes of 9 to 13 bits. Code 256 is followed by a command:
// 1 widens the codes by one bit, 2 frees every code no other code extends
// (a partial clearing); freed codes are handed out again lowest first.
#include <array>
#include <memory>
#include <vector>

#include "platform/zip/bit_input.h"
#include "platform/zip/decode_failure.h"
#include "platform/zip/method_decoders.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr unsigned Control = 256;
constexpr unsigned FirstFree = 257;
constexpr unsigned CodeCount = 1 << 13;
constexpr unsigned FirstWidth = 9;
constexpr unsigned LastWidth = 13;
constexpr std::int16_t Free = -1;
constexpr std::int16_t NoCode = -2;

void fail() { throw DecodeFailure{zipcode::BadData}; }

class Dictionary {
public:
    Dictionary() {
        parent_.fill(Free);
        for (unsigned c = 0; c < 256; ++c) {
            parent_[c] = NoCode;
            suffix_[c] = static_cast<unsigned char>(c);
        }
    }

    bool defined(unsigned code) const { return code != Control && parent_[code] != Free; }
    unsigned nextFree() const { return nextFree_; }

    // Writes the code's string to `output`; returns its first byte.
    unsigned char write(unsigned code, DecodedOutput& output) {
        std::size_t length = 0;
        for (int c = static_cast<int>(code); c >= 0; c = parent_[c]) {
            if (length == stack_.size() || parent_[c] == Free) fail();
            stack_[length++] = suffix_[c];
        }
        for (std::size_t i = length; i-- > 0;) output.put(stack_[i]);
        return stack_[length - 1];
    }

    // A new string: the previous code's string and one more byte.
    void add(unsigned previous, unsigned char byte) {
        if (nextFree_ >= CodeCount) return;
        parent_[nextFree_] = static_cast<std::int16_t>(previous);
        suffix_[nextFree_] = byte;
        findNextFree(nextFree_ + 1);
    }

    void clearLeaves() {
        std::array<bool, CodeCount> isParent{};
        for (unsigned c = FirstFree; c < CodeCount; ++c) {
            if (parent_[c] >= 0) isParent[static_cast<std::size_t>(parent_[c])] = true;
        }
        for (unsigned c = FirstFree; c < CodeCount; ++c) {
            if (!isParent[c]) parent_[c] = Free;
        }
        findNextFree(FirstFree);
    }

private:
    void findNextFree(unsigned from) {
        nextFree_ = from;
        while (nextFree_ < CodeCount && parent_[nextFree_] != Free) ++nextFree_;
    }

    std::array<std::int16_t, CodeCount> parent_;
    std::array<unsigned char, CodeCount> suffix_{};
    std::array<unsigned char, CodeCount> stack_{};
    unsigned nextFree_ = FirstFree;
};

}  // namespace

void unshrink(CompressedInput& compressed, DecodedOutput& output) {
    BitInput input(compressed);
    auto dictionary = std::make_unique<Dictionary>();
    unsigned width = FirstWidth;
    int previous = -1;  // none at the start, or after its code was freed
    while (output.remaining() > 0) {
        const unsigned code = input.take(width);
        if (code == Control) {
            const unsigned command = input.take(width);
            if (command == 1 && width < LastWidth) ++width;
            else if (command == 2) dictionary->clearLeaves();
            else fail();
            if (previous >= 0 && !dictionary->defined(static_cast<unsigned>(previous))) previous = -1;
            continue;
        }
        if (dictionary->defined(code)) {
            const unsigned char first = dictionary->write(code, output);
            if (previous >= 0) dictionary->add(static_cast<unsigned>(previous), first);
        } else {
            // The code about to be added: the previous string and its own first byte.
            if (previous < 0 || code != dictionary->nextFree()) fail();
            const unsigned char first = dictionary->write(static_cast<unsigned>(previous), output);
            dictionary->add(static_cast<unsigned>(previous), first);
            output.put(first);
        }
        previous = static_cast<int>(code);
    }
    if (!input.withinData()) fail();
}

}  // namespace q32::zip
