// Calls the engine's status notification on the calling thread: at once
// when asked, or when the last call is long enough ago.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>

namespace q32::zip {

inline constexpr std::chrono::milliseconds StatusInterval{50};

// The percentage a run reports while it goes on: 100 comes only at its end.
inline int percentDone(std::uint64_t done, std::uint64_t total) {
    if (total == 0) return 0;
    return static_cast<int>(std::min<std::uint64_t>(99, done / (total / 100 + 1)));
}

class StatusReporter {
public:
    explicit StatusReporter(const std::function<void(int)>& notify) : notify_(notify) {}

    void report(int percent) {
        last_ = std::chrono::steady_clock::now();
        if (notify_) notify_(percent);
    }
    void tick(int percent) {
        if (std::chrono::steady_clock::now() - last_ >= StatusInterval) report(percent);
    }

private:
    const std::function<void(int)>& notify_;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

}  // namespace q32::zip
