// LZW as Shrink codes it, keeping the same code table as the decoder: a
// code is added when the next code is written (the previous string and the
// next string's first byte), even when a partial clearing just freed the
// previous code; freed codes are handed out again lowest first.
#include <array>
#include <map>

#include "method_fixtures.h"
#include "zip_fixtures.h"

namespace q32::zip::test {
namespace {

constexpr unsigned CodeCount = 1 << 13;
constexpr unsigned FirstFree = 257;

unsigned key(unsigned code, char byte) { return code * 256 + static_cast<unsigned char>(byte); }

class ShrinkWriter {
public:
    std::string run(const std::string& data, unsigned clearEvery) {
        unsigned sinceClear = 0;
        std::size_t previousAt = 0, previousLength = 0;
        for (std::size_t at = 0; at < data.size();) {
            unsigned code = static_cast<unsigned char>(data[at]);
            std::size_t length = 1;
            while (at + length < data.size()) {
                const auto child = children_.find(key(code, data[at + length]));
                if (child == children_.end()) break;
                code = child->second;
                ++length;
            }
            // The code the decoder is about to add: the previous string and its own first byte. Not when a
            // partial clearing freed the previous code: an encoder that finds strings in its table, as
            // PKZIP's does, cannot reach that code any more, and 7-Zip refuses it.
            const bool previousKept = previous_ >= 0 && (previous_ < 256 || used_[previous_]);
            if (previousKept && nextFree_ < CodeCount && previousLength + 1 > length &&
                at + previousLength < data.size() && data[at + previousLength] == data[previousAt] &&
                data.compare(at, previousLength, data, previousAt, previousLength) == 0) {
                code = nextFree_;
                length = previousLength + 1;
            }
            put(code, data[at]);
            previousAt = at;
            previousLength = length;
            at += length;
            if ((nextFree_ == CodeCount || ++sinceClear >= clearEvery) && clearLeaves()) sinceClear = 0;
        }
        return bits_.finish();
    }

private:
    void put(unsigned code, char firstByte) {
        for (; code >= (1u << width_); ++width_) {
            bits_.bits(256, width_);
            bits_.bits(1, width_);
        }
        bits_.bits(code, width_);
        if (previous_ >= 0 && nextFree_ < CodeCount) {
            parent_[nextFree_] = static_cast<unsigned>(previous_);
            suffix_[nextFree_] = firstByte;
            used_[nextFree_] = true;
            children_[key(parent_[nextFree_], firstByte)] = nextFree_;
            findNextFree();
        }
        previous_ = static_cast<int>(code);
    }
    // Frees every code that no other code extends. False, and nothing written, when the previous code
    // would be the first handed out again: the next code added would then extend itself.
    bool clearLeaves() {
        std::array<bool, CodeCount> isParent{};
        for (unsigned c = FirstFree; c < CodeCount; ++c) {
            if (used_[c]) isParent[parent_[c]] = true;
        }
        unsigned firstFreed = FirstFree;
        while (firstFreed < CodeCount && used_[firstFreed] && isParent[firstFreed]) ++firstFreed;
        if (previous_ == static_cast<int>(firstFreed)) return false;
        bits_.bits(256, width_);
        bits_.bits(2, width_);
        children_.clear();
        for (unsigned c = FirstFree; c < CodeCount; ++c) {
            used_[c] = used_[c] && isParent[c];
            if (used_[c]) children_[key(parent_[c], suffix_[c])] = c;
        }
        nextFree_ = FirstFree;
        findNextFree();
        return true;
    }
    void findNextFree() {
        while (nextFree_ < CodeCount && used_[nextFree_]) ++nextFree_;
    }

    BitWriter bits_;
    std::array<unsigned, CodeCount> parent_{};
    std::array<char, CodeCount> suffix_{};
    std::array<bool, CodeCount> used_{};  // of the codes from FirstFree
    std::map<unsigned, unsigned> children_;  // parent * 256 + byte -> code
    unsigned nextFree_ = FirstFree;
    int width_ = 9;
    int previous_ = -1;
};

}  // namespace

std::string shrink(const std::string& data, unsigned clearEvery) { return ShrinkWriter().run(data, clearEvery); }

}  // namespace q32::zip::test
