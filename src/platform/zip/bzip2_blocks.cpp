#include "platform/zip/bzip2_blocks.h"

#include <bzlib.h>
#include <sched.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/zip/decode_failure.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

constexpr std::uint64_t Mask48 = (std::uint64_t{1} << 48) - 1;
constexpr std::size_t ScanStep = 256 << 10;
// A block's output is kept in memory up to this size while it waits for its
// turn; a larger one (long runs) is checked, then decoded again in its turn
// straight into the output.
constexpr std::size_t KeptOutputLimit = 4 << 20;
// A block is decoded again after each piece joined to it: data made to hold
// a marker at every few bits would take time without end. No sound block
// holds this many markers by chance.
constexpr unsigned MaxJoins = 64;

// For each byte value, the shifts (bit k) at which a marker could end in the
// byte after it: a marker's last 8 to 15 bits hold that byte whole.
struct MarkerShifts {
    std::uint8_t after[256] = {};
    MarkerShifts() {
        for (const std::uint64_t marker : {Bzip2BlockMarker, Bzip2EndMarker}) {
            for (unsigned shift = 0; shift < 8; ++shift) after[((marker << shift) >> 8) & 0xFF] |= 1 << shift;
        }
    }
};
const MarkerShifts markerShifts;

[[noreturn]] void badData() { throw DecodeFailure{zipcode::BadData}; }

}  // namespace

std::uint64_t Bzip2Piece::read(std::uint64_t offset, unsigned count) const {
    std::uint64_t value = 0;
    for (std::uint64_t bit = firstBit + offset, end = bit + count; bit < end; ++bit) {
        value = value << 1 | ((bytes[bit >> 3] >> (7 - (bit & 7))) & 1);
    }
    return value;
}

void Bzip2Piece::append(const Bzip2Piece& next) {
    bytes.resize((firstBit + bits) >> 3);  // the byte `next` starts in is its own first byte
    bytes.insert(bytes.end(), next.bytes.begin(), next.bytes.end());
    bits += next.bits;
}

bool Bzip2Splitter::next(Bzip2Piece& piece) {
    for (;;) {
        if (nextFound_ < found_.size()) {
            const Marker marker = found_[nextFound_++];
            emit(piece, marker.at);
            kind_ = marker.kind;
            return true;
        }
        if (ended_) {
            if (done_) return false;
            done_ = true;
            emit(piece, bytesSeen_ * 8);
            return true;
        }
        scanSome();
    }
}

void Bzip2Splitter::scanSome() {
    found_.clear();
    nextFound_ = 0;
    if (!feed_.fill()) {
        ended_ = true;
        return;
    }
    const std::size_t length = std::min<std::size_t>(feed_.length(), ScanStep);
    const unsigned char* data = feed_.data();
    pending_.insert(pending_.end(), data, data + length);
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned shifts = markerShifts.after[window_ & 0xFF];
        window_ = window_ << 8 | data[i];
        ++bytesSeen_;
        if (shifts == 0 || bytesSeen_ < 6) continue;
        for (int shift = 7; shift >= 0; --shift) {
            if (!(shifts >> shift & 1)) continue;
            const std::uint64_t candidate = (window_ >> shift) & Mask48;
            if (candidate != Bzip2BlockMarker && candidate != Bzip2EndMarker) continue;
            if (bytesSeen_ * 8 < 48u + shift) continue;
            // Each place is seen once, in rising order: overlapping markers are all kept.
            const std::uint64_t at = bytesSeen_ * 8 - 48 - shift;
            found_.push_back({at, candidate == Bzip2BlockMarker ? Bzip2Piece::Kind::Block : Bzip2Piece::Kind::End});
        }
    }
    feed_.consume(length);
    if (found_.empty() && bytesSeen_ * 8 - pieceStart_ > Bzip2MaxPieceBits) badData();
}

void Bzip2Splitter::emit(Bzip2Piece& piece, std::uint64_t end) {
    if (end - pieceStart_ > Bzip2MaxPieceBits) badData();
    const std::uint64_t first = pieceStart_ >> 3, last = (end + 7) >> 3;
    piece.kind = kind_;
    piece.bytes.assign(pending_.begin() + (first - pendingStart_), pending_.begin() + (last - pendingStart_));
    piece.firstBit = static_cast<unsigned>(pieceStart_ & 7);
    piece.bits = end - pieceStart_;
    piece.start = pieceStart_;
    pending_.erase(pending_.begin(), pending_.begin() + ((end >> 3) - pendingStart_));
    pendingStart_ = end >> 3;
    pieceStart_ = end;
}

unsigned bzip2Threads() {
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) == 0) return std::max(1, CPU_COUNT(&cores));
    return std::max(1u, std::thread::hardware_concurrency());
}

namespace {

// Bits written from the top of each byte down.
class BitWriter {
public:
    explicit BitWriter(std::vector<unsigned char>& out) : out_(out) {}
    void put(std::uint64_t value, unsigned count) {
        while (count > 0) {
            const unsigned bit = --count;
            partial_ = static_cast<unsigned char>(partial_ << 1 | ((value >> bit) & 1));
            if (++used_ == 8) {
                out_.push_back(partial_);
                used_ = 0;
            }
        }
    }
    // The piece's bits; the writer must stand at a byte boundary.
    void copy(const Bzip2Piece& piece) {
        const std::uint64_t whole = piece.bits >> 3;
        const unsigned shift = piece.firstBit;
        const unsigned char* from = piece.bytes.data();
        const std::size_t at = out_.size();
        out_.resize(at + whole);
        unsigned char* to = out_.data() + at;
        if (shift == 0) {
            std::memcpy(to, from, whole);
        } else {
            for (std::uint64_t i = 0; i < whole; ++i) {
                to[i] = static_cast<unsigned char>(from[i] << shift | from[i + 1] >> (8 - shift));
            }
        }
        const unsigned rest = static_cast<unsigned>(piece.bits & 7);
        put(piece.read(whole * 8, rest), rest);
    }
    void finish() {
        if (used_ > 0) put(0, 8 - used_);
    }

private:
    std::vector<unsigned char>& out_;
    unsigned char partial_ = 0;
    unsigned used_ = 0;
};

// A block piece as a stream of its own: a header of `level`, the block, and
// the end marker with the block's CRC as the stream's.
void standAlone(const Bzip2Piece& piece, char level, std::vector<unsigned char>& stream) {
    stream.assign({'B', 'Z', 'h', static_cast<unsigned char>(level)});
    stream.reserve(piece.bits / 8 + 16);
    BitWriter writer(stream);
    writer.copy(piece);
    writer.put(Bzip2EndMarker, 48);
    writer.put(piece.read(48, 32), 32);
    writer.finish();
}

// libbz2 takes some 4 MB for each block it decodes (more for level 9).
// Each thread keeps what libbz2 gave back for its next block: fresh pages
// cost more here than the decoding of a small block's data.
class KeptAllocations {
public:
    ~KeptAllocations() {
        for (const Allocation& kept : kept_) std::free(kept.memory);
    }
    void* take(std::size_t size) {
        for (Allocation& kept : kept_) {
            if (kept.size == size && kept.memory) return std::exchange(kept.memory, nullptr);
        }
        return std::malloc(size);
    }
    void give(void* memory, std::size_t size) {
        for (Allocation& kept : kept_) {
            if (!kept.memory) {
                kept = {memory, size};
                return;
            }
        }
        if (kept_.size() < 4) kept_.push_back({memory, size});
        else std::free(memory);
    }

private:
    struct Allocation {
        void* memory;
        std::size_t size;
    };
    std::vector<Allocation> kept_;
};

thread_local KeptAllocations keptAllocations;
// libbz2 frees without a size: each allocation carries it in front.
constexpr std::size_t SizeField = 16;

void* bzip2Allocate(void*, int count, int size) {
    const std::size_t bytes = static_cast<std::size_t>(count) * static_cast<std::size_t>(size) + SizeField;
    auto* memory = static_cast<unsigned char*>(keptAllocations.take(bytes));
    if (!memory) return nullptr;
    std::memcpy(memory, &bytes, sizeof bytes);
    return memory + SizeField;
}

void bzip2Free(void*, void* memory) {
    if (!memory) return;
    auto* start = static_cast<unsigned char*>(memory) - SizeField;
    std::size_t bytes;
    std::memcpy(&bytes, start, sizeof bytes);
    keptAllocations.give(start, bytes);
}

class Bzip2Session {
public:
    Bzip2Session() {
        stream_.bzalloc = bzip2Allocate;
        stream_.bzfree = bzip2Free;
        if (BZ2_bzDecompressInit(&stream_, 0, 0) != BZ_OK) badData();
    }
    ~Bzip2Session() { BZ2_bzDecompressEnd(&stream_); }
    Bzip2Session(const Bzip2Session&) = delete;
    Bzip2Session& operator=(const Bzip2Session&) = delete;
    bz_stream& operator*() { return stream_; }

private:
    bz_stream stream_{};
};

enum class Verdict { Bad, Kept, TooLarge };

// Decodes a block piece alone: into `output` when given, else into `kept`
// (up to KeptOutputLimit; past that only checked).
Verdict decodeBlock(const Bzip2Piece& piece, char level, std::vector<unsigned char>& kept, DecodedOutput* output) {
    if (piece.bits < 80) return Verdict::Bad;
    thread_local std::vector<unsigned char> input;
    standAlone(piece, level, input);
    Bzip2Session session;
    bz_stream& stream = *session;
    stream.next_in = reinterpret_cast<char*>(input.data());
    stream.avail_in = static_cast<unsigned>(input.size());
    kept.clear();
    std::size_t used = 0;
    std::vector<unsigned char> scratch;
    bool tooLarge = false;
    for (;;) {
        unsigned char* room;
        std::size_t roomSize;
        if (output) {
            room = output->space();
            roomSize = output->spaceLeft();
        } else if (used < KeptOutputLimit) {
            if (used == kept.size()) kept.resize(std::min(KeptOutputLimit, std::max<std::size_t>(used * 2, 1 << 20)));
            room = kept.data() + used;
            roomSize = kept.size() - used;
        } else {
            tooLarge = true;
            scratch.resize(256 << 10);
            room = scratch.data();
            roomSize = scratch.size();
        }
        stream.next_out = reinterpret_cast<char*>(room);
        stream.avail_out = static_cast<unsigned>(roomSize);
        const int result = BZ2_bzDecompress(&stream);
        const std::size_t got = roomSize - stream.avail_out;
        if (output) output->commit(got);
        else if (!tooLarge) used += got;
        if (result == BZ_STREAM_END) {
            kept.resize(used);
            return tooLarge ? Verdict::TooLarge : Verdict::Kept;
        }
        if (result != BZ_OK || (got == 0 && stream.avail_in == 0)) return Verdict::Bad;
    }
}

void putAll(DecodedOutput& output, const std::vector<unsigned char>& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t part = std::min(bytes.size() - done, output.spaceLeft());
        std::memcpy(output.space(), bytes.data() + done, part);
        output.commit(part);
        done += part;
    }
}

// The digit of a stream header "BZh1".."BZh9" at `offset` bits into the piece, or 0.
char levelAt(const Bzip2Piece& piece, std::uint64_t offset) {
    if (piece.bits < offset + 32) return 0;
    const std::uint64_t header = piece.read(offset, 32);
    const auto digit = static_cast<char>(header & 0xFF);
    return (header >> 8) == 0x425A68 && digit >= '1' && digit <= '9' ? digit : 0;
}

// Where an End piece's next stream header would start: after the marker,
// the CRC and the padding to a byte.
std::uint64_t afterEnd(const Bzip2Piece& piece) { return 80 + ((8 - (piece.start + 80) % 8) % 8); }

// The process's threads that help decode bzip2 blocks, at most one fewer
// than the cores, shared by all members decoding at once.
std::atomic<int>& spareHelpers() {
    static std::atomic<int> spare{static_cast<int>(bzip2Threads()) - 1};
    return spare;
}

struct Slot {
    Bzip2Piece piece;
    char level = '9';
    enum class State { Waiting, Running, Done } state = State::Done;
    Verdict verdict = Verdict::Bad;
    std::vector<unsigned char> output;
};

// Pieces read ahead, and the helpers that decode their blocks meanwhile.
class Pipeline {
public:
    explicit Pipeline(unsigned threads) : threads_(threads) {}
    ~Pipeline() {
        {
            std::lock_guard lock(mutex_);
            closing_ = true;
        }
        wake_.notify_all();
        for (auto& helper : helpers_) helper.join();
        spareHelpers().fetch_add(static_cast<int>(helpers_.size()));
    }

    std::size_t capacity() const { return 2 * (helpers_.size() + 1) + 1; }
    std::size_t size() {
        std::lock_guard lock(mutex_);
        return slots_.size();
    }
    void push(std::shared_ptr<Slot> slot) {
        const bool block = slot->state == Slot::State::Waiting;
        {
            std::lock_guard lock(mutex_);
            slots_.push_back(std::move(slot));
        }
        if (block) {
            wake_.notify_one();
            if (++blocks_ == 2) startHelpers();
        }
    }
    std::shared_ptr<Slot> front() {
        std::lock_guard lock(mutex_);
        return slots_.empty() ? nullptr : slots_.front();
    }
    // The front piece, taken out; a copy while a helper still decodes it.
    Bzip2Piece takeFront() {
        std::lock_guard lock(mutex_);
        std::shared_ptr<Slot> slot = std::move(slots_.front());
        slots_.pop_front();
        if (slot->state == Slot::State::Running) return slot->piece;
        return std::move(slot->piece);
    }
    // Waits for the slot's block to be decoded, decoding this one or a later
    // one here meanwhile when no helper has begun it.
    void settle(Slot& slot, DecodedOutput& output) {
        std::unique_lock lock(mutex_);
        while (slot.state != Slot::State::Done) {
            const bool helping = alongside_ || helpers_.empty() || retired_;
            if (std::shared_ptr<Slot> waiting = helping ? firstWaiting() : nullptr) {
                decode(*waiting, lock);
                continue;
            }
            done_.wait_for(lock, std::chrono::milliseconds(20));
            if (output.stopped()) throw DecodeFailure{zipcode::Aborted};
        }
    }

    // Byte buffers of pieces and outputs done with, for the next pieces.
    std::vector<unsigned char> spare() {
        std::lock_guard lock(mutex_);
        if (spare_.empty()) return {};
        std::vector<unsigned char> bytes = std::move(spare_.back());
        spare_.pop_back();
        return bytes;
    }
    void recycle(std::vector<unsigned char>&& bytes) {
        std::lock_guard lock(mutex_);
        if (spare_.size() < 2 * capacity()) spare_.push_back(std::move(bytes));
    }

    // Blocks too large to keep are checked by the helpers and then decoded
    // again here, in order: this thread has enough to do with those alone.
    void leaveCheckingToHelpers() { alongside_ = false; }

private:
    void startHelpers() {
        helpersStarted_ = std::chrono::steady_clock::now();
        auto& spare = spareHelpers();
        for (unsigned i = 1; i < threads_; ++i) {
            int left = spare.load();
            while (left > 0 && !spare.compare_exchange_weak(left, left - 1)) {
            }
            if (left <= 0) break;
            try {
                helpers_.emplace_back([this] { help(); });
            } catch (const std::system_error&) {
                spare.fetch_add(1);  // no more threads to be had: this one decodes the rest
                break;
            }
        }
    }
    std::shared_ptr<Slot> firstWaiting() {
        for (auto& slot : slots_) {
            if (slot->state == Slot::State::Waiting) return slot;
        }
        return nullptr;
    }
    // Decodes the slot's block with the lock let go meanwhile.
    void decode(Slot& slot, std::unique_lock<std::mutex>& lock) {
        slot.state = Slot::State::Running;
        lock.unlock();
        const auto cpuBefore = threadCpuTime();
        try {
            slot.verdict = decodeBlock(slot.piece, slot.level, slot.output, nullptr);
        } catch (...) {
            slot.verdict = Verdict::Bad;  // decoded again in its turn, where a failure counts
        }
        const auto cpu = threadCpuTime() - cpuBefore;
        lock.lock();
        slot.state = Slot::State::Done;
        if (!helpers_.empty() && !retired_) judgeHelpers(cpu);
        done_.notify_all();
    }
    // When the system gives the member's threads no more than about one core
    // between them (other work running), they only take turns, and two
    // decoders taking turns on the cache cost more than one: the helpers
    // retire, and this thread decodes the rest of the member. Judged every
    // few blocks until they retire.
    void judgeHelpers(std::chrono::nanoseconds cpu) {
        decodingCpu_ += cpu;
        if (++judged_ < JudgedBlocks) return;
        const auto wall = std::chrono::steady_clock::now() - helpersStarted_;
        if (decodingCpu_ < wall * 5 / 4) {
            retired_ = true;
            wake_.notify_all();
        }
        judged_ = 0;
        decodingCpu_ = {};
        helpersStarted_ = std::chrono::steady_clock::now();
    }
    static std::chrono::nanoseconds threadCpuTime() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
    }
    void help() {
        std::unique_lock lock(mutex_);
        for (;;) {
            std::shared_ptr<Slot> slot;
            wake_.wait(lock, [&] { return closing_ || retired_ || (slot = firstWaiting()) != nullptr; });
            if (closing_ || retired_) return;
            decode(*slot, lock);
        }
    }

    unsigned threads_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::deque<std::shared_ptr<Slot>> slots_;
    std::vector<std::vector<unsigned char>> spare_;
    std::vector<std::thread> helpers_;
    unsigned blocks_ = 0;
    bool closing_ = false;
    bool alongside_ = true;  // this thread decodes blocks besides the helpers
    bool retired_ = false;   // the helpers are gone: this thread decodes every block
    static constexpr unsigned JudgedBlocks = 8;
    unsigned judged_ = 0;
    std::chrono::nanoseconds decodingCpu_{};
    std::chrono::steady_clock::time_point helpersStarted_;
};

class Assembler {
public:
    Assembler(const std::function<bool(Bzip2Piece&)>& next, DecodedOutput& output, unsigned threads)
        : next_(next), output_(output), pipeline_(threads) {}

    void run() {
        Bzip2Piece head = take();
        while (head.bits < 32 && more()) head.append(take());
        level_ = head.bits == 32 ? levelAt(head, 0) : 0;
        if (level_ == 0) badData();
        for (;;) {
            if (!more()) badData();  // the stream has no end marker
            if (pipeline_.front()->piece.kind == Bzip2Piece::Kind::End) {
                if (!endStream()) return;
            } else {
                block();
            }
        }
    }

private:
    bool more() {
        fill();
        return pipeline_.front() != nullptr;
    }
    void fill() {
        while (!sourceDone_ && pipeline_.size() < pipeline_.capacity()) {
            auto slot = std::make_shared<Slot>();
            slot->piece.bytes = pipeline_.spare();
            slot->output = pipeline_.spare();
            if (!next_(slot->piece)) {
                sourceDone_ = true;
                break;
            }
            if (slot->piece.kind == Bzip2Piece::Kind::Block) {
                slot->state = Slot::State::Waiting;
                slot->level = readAheadLevel_;
            } else {
                const char level = levelAt(slot->piece, slot->piece.kind == Bzip2Piece::Kind::Head ? 0 : afterEnd(slot->piece));
                if (level != 0) readAheadLevel_ = level;
            }
            pipeline_.push(std::move(slot));
        }
    }
    Bzip2Piece take() {
        if (!more()) badData();
        return pipeline_.takeFront();
    }

    // The block at the front: decoded alone, or joined with the pieces after
    // it until it decodes, when a marker inside it was one by chance.
    void block() {
        auto slot = pipeline_.front();
        pipeline_.settle(*slot, output_);
        if (slot->level != level_) slot->verdict = decodeBlock(slot->piece, level_, slot->output, nullptr);
        Verdict verdict = slot->verdict;
        std::vector<unsigned char> kept = std::move(slot->output);
        slot.reset();
        Bzip2Piece piece = take();
        for (unsigned joins = 0; verdict == Verdict::Bad; ++joins) {
            if (joins == MaxJoins || !more()) badData();
            piece.append(take());
            if (piece.bits > Bzip2MaxPieceBits) badData();
            verdict = decodeBlock(piece, level_, kept, nullptr);
        }
        if (verdict == Verdict::Kept) {
            putAll(output_, kept);
        } else {
            pipeline_.leaveCheckingToHelpers();
            decodeBlock(piece, level_, kept, &output_);
        }
        const auto crc = static_cast<std::uint32_t>(piece.read(48, 32));
        combined_ = (combined_ << 1 | combined_ >> 31) ^ crc;
        pipeline_.recycle(std::move(kept));
        pipeline_.recycle(std::move(piece.bytes));
        if (output_.stopped()) throw DecodeFailure{zipcode::Aborted};
    }

    // The end of a stream and, when one follows, the next one's header.
    // False after the last stream.
    bool endStream() {
        Bzip2Piece piece = take();
        for (;;) {
            if (piece.bits >= 80 && piece.read(48, 32) != combined_) badData();
            const std::uint64_t header = afterEnd(piece);
            if (piece.bits == header && !more()) return false;
            if (piece.bits == header + 32) {
                level_ = levelAt(piece, header);
                if (level_ == 0) badData();
                combined_ = 0;
                return true;
            }
            if (piece.bits > header + 32 || !more()) badData();
            piece.append(take());
        }
    }

    const std::function<bool(Bzip2Piece&)>& next_;
    DecodedOutput& output_;
    Pipeline pipeline_;
    bool sourceDone_ = false;
    char level_ = 0;
    char readAheadLevel_ = '9';
    std::uint32_t combined_ = 0;
};

}  // namespace

void decodeBzip2Pieces(const std::function<bool(Bzip2Piece&)>& next, DecodedOutput& output, unsigned threads) {
    Assembler(next, output, threads).run();
}

}  // namespace q32::zip
