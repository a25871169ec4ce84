#include "platform/qt/qt_splash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "platform/qt/program_pictures.h"

#ifndef Q32_VERSION
#error "Q32_VERSION must be defined by the build"
#endif

namespace q32 {

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 180;

// The window's picture: a parchment card with a border, the program's name
// and its maker's mark; the quill (the window's icon) is drawn while it is
// visible.
class SplashPicture : public QWidget {
public:
    void setIconVisible(bool visible) {
        iconVisible_ = visible;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF card = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        QLinearGradient parchment(0, 0, 0, height());
        parchment.setColorAt(0, QColor(250, 240, 210));
        parchment.setColorAt(1, QColor(225, 200, 150));
        p.setPen(QPen(QColor(110, 20, 30), 2));
        p.setBrush(parchment);
        p.drawRect(card);
        p.setPen(QPen(QColor(110, 20, 30, 120), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(card.adjusted(6, 6, -6, -6));

        p.setPen(QColor(60, 30, 20));
        p.setFont(decorativeFont(34));
        p.drawText(QRect(24, 24, 200, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quillet32"));
        QFont subtitle = font();
        subtitle.setPixelSize(12);
        p.setFont(subtitle);
        p.drawText(QRect(28, 84, 200, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Archive installer"));
        p.setPen(QColor(110, 20, 30));
        p.setFont(decorativeFont(18));
        p.drawText(QRect(24, height() - 44, 160, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tobrek"));

        if (iconVisible_) drawQuill(p, QRectF(width() - 96, 22, 72, 72));
    }

private:
    bool iconVisible_ = false;
};

}  // namespace

QtSplash::QtSplash() : window_(std::make_unique<SplashPicture>()) {
    window_->setObjectName(QStringLiteral("Form4"));
    window_->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // The splash never keeps the program running on its own.
    window_->setAttribute(Qt::WA_QuitOnClose, false);
    window_->setFixedSize(kWidth, kHeight);
    version_ = new QLabel(QStringLiteral("v" Q32_VERSION), window_.get());
    version_->setObjectName(QStringLiteral("Label3"));
    version_->setGeometry(kWidth - 90, kHeight - 44, 70, 28);
    version_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    version_->setStyleSheet(QStringLiteral("color: rgb(60, 30, 20);"));
}

QtSplash::~QtSplash() = default;

void QtSplash::load() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window_->move(area.center() - QPoint(kWidth / 2, kHeight / 2));
    }
    loaded_ = true;
    window_->show();
    window_->raise();
    // On the screen before the caller goes on with long work.
    window_->repaint();
}

void QtSplash::unload() {
    loaded_ = false;
    window_->hide();
}

void QtSplash::setIconVisible(bool visible) {
    iconVisible_ = visible;
    static_cast<SplashPicture*>(window_.get())->setIconVisible(visible);
}

std::string QtSplash::versionText() const { return version_->text().toStdString(); }

}  // namespace q32
