#include "platform/qt/qt_splash.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <functional>

#include "platform/qt/program_pictures.h"
#include "platform/qt/splash_picture.h"

#ifndef Q32_VERSION
#error "Q32_VERSION must be defined by the build"
#endif

namespace q32 {

namespace {

// Calls back on a left click; the picture, the labels and the icon each
// report their own.
void reportClick(QMouseEvent* event, const std::function<void()>& handler) {
    if (event->button() != Qt::LeftButton) return;
    event->accept();
    if (handler) handler();
}

// The picture is drawn for the scale of the screen the window is on.
class SplashPictureWidget : public QWidget {
public:
    explicit SplashPictureWidget(std::function<void()>& onClick) : onClick_(onClick) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (picture_.isNull() || picture_.devicePixelRatio() != devicePixelRatioF())
            picture_ = splashPicture(devicePixelRatioF());
        QPainter(this).drawImage(0, 0, picture_);
    }
    void mousePressEvent(QMouseEvent* event) override { reportClick(event, onClick_); }

private:
    QImage picture_;
    std::function<void()>& onClick_;
};

class ClickableLabel : public QLabel {
public:
    ClickableLabel(const QString& name, QWidget* parent, std::function<void()>& onClick)
        : QLabel(parent), onClick_(onClick) {
        setObjectName(name);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { reportClick(event, onClick_); }

private:
    std::function<void()>& onClick_;
};

}  // namespace

// The quill, swaying like a pen that writes while the animation runs.
class QtAnimatedIcon : public QWidget {
public:
    QtAnimatedIcon(QWidget* parent, std::function<void()>& onClick) : QWidget(parent), onClick_(onClick) {
        setObjectName(QStringLiteral("AniIcon1"));
        frames_.setInterval(80);
        QObject::connect(&frames_, &QTimer::timeout, this, [this] {
            ++frame_;
            update();
        });
    }
    void setAnimated(bool on) {
        if (on) frames_.start();
        else frames_.stop();
    }
    bool animated() const { return frames_.isActive(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal angle = 10.0 * std::sin(frame_ * 0.35);
        p.translate(width() / 2.0, height() / 2.0);
        p.rotate(angle);
        p.translate(-width() / 2.0, -height() / 2.0);
        drawQuill(p, QRectF(6, 6, width() - 12, height() - 12));
    }
    void mousePressEvent(QMouseEvent* event) override { reportClick(event, onClick_); }

private:
    std::function<void()>& onClick_;
    QTimer frames_;
    int frame_ = 0;
};

QtSplash::QtSplash()
    : picture_(splashPicture()), window_(std::make_unique<SplashPictureWidget>(onClick)) {
    window_->setObjectName(QStringLiteral("Form4"));
    window_->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // The splash never keeps the program running on its own.
    window_->setAttribute(Qt::WA_QuitOnClose, false);
    window_->setFixedSize(picture_.size());

    icon_ = new QtAnimatedIcon(window_.get(), onIconClick);
    icon_->setGeometry(splashIconArea());
    icon_->hide();
    version_ = new QLabel(QStringLiteral("v" Q32_VERSION), window_.get());
    version_->setObjectName(QStringLiteral("Label3"));
    version_->setGeometry(200, 132, 70, 24);
    version_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    version_->setStyleSheet(QStringLiteral("color: rgb(60, 30, 20);"));
    // Label1 and Label2 are empty; a click on either closes the window.
    (new ClickableLabel(QStringLiteral("Label1"), window_.get(), onLabel1Click))->setGeometry(48, 112, 150, 16);
    (new ClickableLabel(QStringLiteral("Label2"), window_.get(), onLabel2Click))->setGeometry(200, 112, 110, 16);

    timer1_.setSingleShot(true);
    QObject::connect(&timer1_, &QTimer::timeout, window_.get(), [this] {
        if (onTimer) onTimer();
    });
}

QtSplash::~QtSplash() = default;

void QtSplash::shapeToPicture() {
    window_->setMask(QBitmap::fromImage(picture_.createAlphaMask(Qt::MonoOnly | Qt::ThresholdDither)));
}

void QtSplash::show() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window_->move(area.center() - window_->rect().center());
    }
    window_->show();
    window_->raise();
}

void QtSplash::hide() { window_->hide(); }

void QtSplash::setIconVisible(bool visible) { icon_->setVisible(visible); }

bool QtSplash::iconVisible() const { return icon_->isVisibleTo(window_.get()); }

void QtSplash::setIconAnimated(bool on) { icon_->setAnimated(on); }

bool QtSplash::iconAnimated() const { return icon_->animated(); }

void QtSplash::startTimer(int milliseconds) { timer1_.start(milliseconds); }

std::string QtSplash::versionText() const { return version_->text().toStdString(); }

}  // namespace q32
