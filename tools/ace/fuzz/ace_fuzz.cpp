// libFuzzer target for the ACE reader. The input is one or more volumes
// separated by the marker "VOL|"; the reader walks them as a volume set and
// hands its members to a sink that keeps nothing but checks every path it
// is given.
#include "ace_error.h"
#include "archive_reader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

using namespace q32::ace;

constexpr std::string_view kVolumeMarker = "VOL|";

class MemoryVolumes : public VolumeSource {
public:
    explicit MemoryVolumes(std::string_view input) {
        for (std::size_t marker = input.find(kVolumeMarker); marker != std::string_view::npos;
             marker = input.find(kVolumeMarker)) {
            volumes_.push_back(input.substr(0, marker));
            input.remove_prefix(marker + kVolumeMarker.size());
        }
        volumes_.push_back(input);
    }
    std::unique_ptr<ByteInput> open(unsigned index) override {
        if (index >= volumes_.size())
            return nullptr;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(volumes_[index].data());
        return std::make_unique<MemoryInput>(std::span<const std::uint8_t>(bytes, volumes_[index].size()));
    }
    std::string describe(unsigned index) const override { return "volume " + std::to_string(index); }

private:
    std::vector<std::string_view> volumes_;
};

// A path handed to the sink must stay below the destination: no empty, "."
// or ".." part, no "/" at either end, no NUL.
void checkPath(const std::string& path) {
    const std::string wrapped = "/" + path + "/";
    for (const char* bad : {"//", "/./", "/../"}) {
        if (wrapped.find(bad) != std::string::npos)
            std::abort();
    }
    if (path.find('\0') != std::string::npos)
        std::abort();
}

class CheckingSink : public MemberSink {
public:
    void makeFolder(const std::string& path) override { checkPath(path); }
    void beginFile(const std::string& path, std::uint32_t) override {
        checkPath(path);
        if (open_)
            std::abort();
        open_ = true;
    }
    void write(const std::uint8_t*, std::size_t) override {
        if (!open_)
            std::abort();
    }
    void keepFile() override { open_ = false; }
    void dropFile() noexcept override { open_ = false; }

private:
    bool open_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryVolumes volumes(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckingSink sink;
    try {
        readArchive(volumes, sink);
    } catch (const AceError&) {
        // Refusing bad input is the expected outcome.
    }
    return 0;
}
