// LZW as Shrink codes it, keeping the same code table as the decoder: a
// code is added when the next code is written (the previous string and the
// next string's first byte), even when a partial clearing just freed the
// previous code; freed codes are handed out again lowest first.
#include <array>
#include <map>
#include <memory>
#include <stdexcept>

#include "legacy_encoders.h"
#include "zip_fixtures.h"

namespace q32::zip::test {
namespace {

constexpr unsigned CodeCount = 1 << 13;
constexpr unsigned FirstFree = 257;

class ShrinkWriter {
public:
    explicit ShrinkWriter(const std::string& data) : data_(data) {
        parent_.fill(-1);
        free_.fill(true);
        for (unsigned c = 0; c < 256; ++c) free_[c] = false;
    }

    std::string run(unsigned clearEvery) {
        std::size_t position = 0;
        unsigned sinceClear = 0;
        while (position < data_.size()) {
            const auto [code, length] = longestMatch(position);
            put(code, position);
            previous_ = static_cast<int>(code);
            previousAt_ = position;
            previousLength_ = length;
            position += length;
            if ((nextFree_ == CodeCount || ++sinceClear >= clearEvery) && clearLeaves()) sinceClear = 0;
        }
        return bits_.finish();
    }

private:
    std::pair<unsigned, std::size_t> longestMatch(std::size_t at) {
        unsigned code = static_cast<unsigned char>(data_[at]);
        std::size_t length = 1;
        for (auto child = children_.find(key(code, at + length)); child != children_.end();
             child = children_.find(key(code, at + length))) {
            code = child->second;
            ++length;
        }
        // The code the decoder is about to add: the previous string and its first byte. Not when a
        // partial clearing freed the previous code: an encoder that finds strings in its table, as
        // PKZIP's does, cannot reach that code any more, and 7-Zip refuses it.
        if (previous_ >= 0 && !free_[static_cast<std::size_t>(previous_)] && nextFree_ < CodeCount &&
            previousLength_ + 1 > length && repeatsPrevious(at)) {
            return {nextFree_, previousLength_ + 1};
        }
        return {code, length};
    }
    bool repeatsPrevious(std::size_t at) const {
        if (at + previousLength_ + 1 > data_.size()) return false;
        return data_.compare(at, previousLength_, data_, previousAt_, previousLength_) == 0 &&
               data_[at + previousLength_] == data_[previousAt_];
    }
    unsigned key(unsigned code, std::size_t at) const {
        return at < data_.size() ? code * 256 + static_cast<unsigned char>(data_[at]) : ~0u;
    }

    void put(unsigned code, std::size_t at) {
        while (code >= (1u << width_)) {
            bits_.bits(256, width_);
            bits_.bits(1, width_);
            ++width_;
        }
        bits_.bits(code, width_);
        if (previous_ >= 0 && nextFree_ < CodeCount) add(static_cast<unsigned>(previous_), data_[at]);
    }
    void add(unsigned parent, char byte) {
        for (int p = static_cast<int>(parent); p >= static_cast<int>(FirstFree); p = parent_[static_cast<std::size_t>(p)]) {
            if (p == static_cast<int>(nextFree_)) throw std::runtime_error("shrink test encoder: a code would extend itself");
        }
        parent_[nextFree_] = static_cast<int>(parent);
        suffix_[nextFree_] = static_cast<unsigned char>(byte);
        free_[nextFree_] = false;
        children_[parent * 256 + suffix_[nextFree_]] = nextFree_;
        findNextFree(nextFree_ + 1);
    }
    void findNextFree(unsigned from) {
        nextFree_ = from;
        while (nextFree_ < CodeCount && !free_[nextFree_]) ++nextFree_;
    }
    // False, and nothing written, when the previous code would be the first
    // freed: the next code added would then extend itself.
    bool clearLeaves() {
        std::array<bool, CodeCount> isParent{};
        for (unsigned c = FirstFree; c < CodeCount; ++c) {
            if (!free_[c]) isParent[static_cast<std::size_t>(parent_[c])] = true;
        }
        unsigned firstFreed = FirstFree;
        while (firstFreed < CodeCount && !free_[firstFreed] && isParent[firstFreed]) ++firstFreed;
        if (previous_ >= static_cast<int>(FirstFree) && static_cast<unsigned>(previous_) == firstFreed) return false;
        bits_.bits(256, width_);
        bits_.bits(2, width_);
        for (unsigned c = FirstFree; c < CodeCount; ++c) {
            if (isParent[c] || free_[c]) continue;
            const auto child = children_.find(static_cast<unsigned>(parent_[c]) * 256 + suffix_[c]);
            if (child != children_.end() && child->second == c) children_.erase(child);
            free_[c] = true;
        }
        findNextFree(FirstFree);
        return true;
    }

    const std::string& data_;
    BitWriter bits_;
    std::array<int, CodeCount> parent_;
    std::array<unsigned char, CodeCount> suffix_{};
    std::array<bool, CodeCount> free_;
    std::map<unsigned, unsigned> children_;  // parent * 256 + byte -> code
    unsigned nextFree_ = FirstFree;
    int width_ = 9;
    int previous_ = -1;
    std::size_t previousAt_ = 0;
    std::size_t previousLength_ = 0;
};

}  // namespace

std::string shrink(const std::string& data, unsigned clearEvery) {
    return std::make_unique<ShrinkWriter>(data)->run(clearEvery);
}

}  // namespace q32::zip::test
