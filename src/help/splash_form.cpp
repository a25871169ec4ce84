#include "help/splash_form.h"

namespace q32 {

SplashForm::SplashForm(SplashWindow& window) : window_(window) {
    window_.onClick = [this] { Form_Click(); };
    window_.onLabel1Click = [this] { Label1_Click(); };
    window_.onLabel2Click = [this] { Label2_Click(); };
    window_.onIconClick = [this] { AniIcon1_Click(); };
    window_.onTimer = [this] { Timer1_Timer(); };
}

void SplashForm::load() {
    if (loaded_) return;
    loaded_ = true;
    Form_Load();
}

void SplashForm::Form_Load() {
    window_.shapeToPicture();
    window_.show();
    window_.setIconAnimated(true);
    // On the screen before the caller goes on with long work.
    window_.repaint();
    window_.startTimer(kTimer1Interval);
}

void SplashForm::show() { window_.show(); }

void SplashForm::unload() {
    if (!loaded_) return;
    loaded_ = false;
    window_.stopTimer();
    window_.setIconAnimated(false);
    window_.hide();
}

}  // namespace q32
