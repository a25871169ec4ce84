// The splash and about window: a small frameless window in the middle of
// the screen with the program's picture, its icon and the version label.
#pragma once

#include <QLabel>
#include <QWidget>
#include <memory>

#include "platform/controls.h"

namespace q32 {

class QtSplash : public SplashWindow {
public:
    QtSplash();
    ~QtSplash() override;
    QtSplash(const QtSplash&) = delete;
    QtSplash& operator=(const QtSplash&) = delete;

    void load() override;
    void unload() override;
    bool isLoaded() const override { return loaded_; }
    void setIconVisible(bool visible) override;
    std::string versionText() const override;

    QWidget* window() const { return window_.get(); }
    bool iconVisible() const { return iconVisible_; }

private:
    std::unique_ptr<QWidget> window_;
    QLabel* version_;  // Label3
    bool loaded_ = false;
    bool iconVisible_ = false;
};

}  // namespace q32
