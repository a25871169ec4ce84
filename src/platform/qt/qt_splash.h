// The splash and about window: a frameless window in the middle of the
// screen, shaped to its parchment picture, with the animated quill, the
// version label and two empty labels; its clicks and its timer go to the
// program.
#pragma once

#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "platform/controls.h"

namespace q32 {

class QtAnimatedIcon;

class QtSplash : public SplashWindow {
public:
    QtSplash();
    ~QtSplash() override;
    QtSplash(const QtSplash&) = delete;
    QtSplash& operator=(const QtSplash&) = delete;

    void shapeToPicture() override;
    void show() override;
    void hide() override;
    bool isShown() const override { return window_->isVisible(); }
    void repaint() override { window_->repaint(); }
    void setIconVisible(bool visible) override;
    void setIconAnimated(bool on) override;
    void startTimer(int milliseconds) override;
    void stopTimer() override { timer1_.stop(); }
    std::string versionText() const override;

    QWidget* window() const { return window_.get(); }
    bool iconVisible() const;
    bool iconAnimated() const;

private:
    QImage picture_;  // at one screen pixel a pixel: the window's size and outline
    std::unique_ptr<QWidget> window_;
    QtAnimatedIcon* icon_;  // AniIcon1
    QLabel* version_;       // Label3
    QTimer timer1_;
};

}  // namespace q32
