// Calls the engine's status notification on the calling thread: at once
// when asked, or when the last call is long enough ago.
#pragma once

#include <chrono>
#include <functional>

namespace q32::zip {

inline constexpr std::chrono::milliseconds StatusInterval{50};

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
