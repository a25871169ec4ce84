// Form4, the splash and about window, with its own handlers: it is loaded
// (shaped, shown, its icon animated, its 6000 ms timer started) and unloaded
// by a click on it, on an empty label or on the icon, or by the timer.
#pragma once

#include <string>

#include "platform/controls.h"

namespace q32 {

class SplashForm {
public:
    explicit SplashForm(SplashWindow& window);
    SplashForm(const SplashForm&) = delete;
    SplashForm& operator=(const SplashForm&) = delete;

    static constexpr int kTimer1Interval = 6000;  // ms

    // Loads the window unless it is loaded already; loading shows it.
    void load();
    void show();
    void unload();
    bool isLoaded() const { return loaded_; }
    void setIconVisible(bool visible) { window_.setIconVisible(visible); }
    std::string versionText() const { return window_.versionText(); }

    // Its event handlers.
    void Form_Load();
    void Form_Click() { unload(); }
    void Label1_Click() { unload(); }
    void Label2_Click() { unload(); }
    void AniIcon1_Click() { unload(); }
    void Timer1_Timer() { unload(); }

private:
    SplashWindow& window_;
    bool loaded_ = false;
};

}  // namespace q32
