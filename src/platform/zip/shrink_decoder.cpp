// Shrink: LZW with codes of 9 to 13 bits. Code 256 is followed by a command:
// 1 widens the codes by one bit, 2 frees every code no other code extends
// (a partial clearing); freed codes are handed out again lowest first.
// Checked against 7-Zip's reading of such members where PKZIP's behaviour
// is not written down: the code read after a partial clearing still extends
// the previous code, freed or not.
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
constexpr std::int16_t Unassigned = -1;
constexpr std::int16_t Root = -2;  // the parent of a single byte

void fail() { throw DecodeFailure{zipcode::BadData}; }

// A freed code keeps its string until the code is handed out again: a code
// added right after a partial clearing may extend a string just freed.
class Dictionary {
public:
    Dictionary() {
        parent_.fill(Unassigned);
        free_.fill(true);
        for (unsigned c = 0; c < 256; ++c) {
            parent_[c] = Root;
            suffix_[c] = static_cast<unsigned char>(c);
            free_[c] = false;
        }
    }

    bool defined(unsigned code) const { return !free_[code]; }
    unsigned nextFree() const { return nextFree_; }

    // Writes the code's string to `output`; returns its first byte.
    unsigned char write(unsigned code, DecodedOutput& output) {
        std::size_t length = 0;
        for (int c = static_cast<int>(code); c != Root; c = parent_[c]) {
            if (length == stack_.size() || c == Unassigned) fail();
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
        free_[nextFree_] = false;
        findNextFree(nextFree_ + 1);
    }

    void clearLeaves() {
        std::array<bool, CodeCount> isParent{};
        for (unsigned c = FirstFree; c < CodeCount; ++c) {
            if (!free_[c]) isParent[static_cast<std::size_t>(parent_[c])] = true;
        }
        for (unsigned c = FirstFree; c < CodeCount; ++c) {
            if (!isParent[c]) free_[c] = true;
        }
        findNextFree(FirstFree);
    }

private:
    void findNextFree(unsigned from) {
        nextFree_ = from;
        while (nextFree_ < CodeCount && !free_[nextFree_]) ++nextFree_;
    }

    std::array<std::int16_t, CodeCount> parent_;
    std::array<unsigned char, CodeCount> suffix_{};
    std::array<bool, CodeCount> free_;
    std::array<unsigned char, CodeCount> stack_{};
    unsigned nextFree_ = FirstFree;
};

}  // namespace

void unshrink(CompressedInput& compressed, DecodedOutput& output) {
    BitInput input(compressed);
    auto dictionary = std::make_unique<Dictionary>();
    unsigned width = FirstWidth;
    int previous = -1;  // none before the first code; kept across a partial clearing
    while (output.remaining() > 0) {
        const unsigned code = input.take(width);
        if (code == Control) {
            const unsigned command = input.take(width);
            if (command == 1 && width < LastWidth) ++width;
            else if (command == 2) dictionary->clearLeaves();
            else fail();
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
