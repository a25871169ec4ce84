#include "platform/qt/top_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>

#include "platform/qt/twips.h"

namespace q32 {

namespace {

// The frame around the inner area; empty while the window is not shown (and
// where no window manager draws frames).
QMargins ownFrame(const QWidget& window) {
    if (!window.isVisible()) return {};
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

bool isFramedWindow(const QWidget& widget) {
    return widget.windowType() == Qt::Window && !(widget.windowFlags() & Qt::FramelessWindowHint);
}

// The frame the window has, or will have once shown: the window manager
// gives the program's windows the same frame, so a shown one stands for a
// window whose own frame is not known yet.
QMargins frameMargins(const QWidget& window) {
    const QMargins own = ownFrame(window);
    if (!own.isNull()) return own;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == &window || !isFramedWindow(*other)) continue;
        const QMargins frame = ownFrame(*other);
        if (!frame.isNull()) return frame;
    }
    return {};
}

// Sees the keys of the whole program, and the window's first appearance.
class EventWatch : public QObject {
public:
    explicit EventWatch(QtTopWindow* owner) : owner_(owner) {}

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() == QEvent::Expose) owner_->exposed(target);
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
        return owner_->keyEvent(target, *event);
    }

private:
    QtTopWindow* owner_;
};

// Under Wayland the compositor's first answer to a shown window can still
// change its size (Qt rounds a frame of an odd number of screen pixels on a
// scaled screen): there the frame is settled once the window is on the
// screen.
bool frameSettled(const QWidget& window) {
    if (ownFrame(window).isNull()) return false;
    if (windowPositionsKnown()) return true;
    const QWindow* handle = window.windowHandle();
    return handle && handle->isExposed();
}

}  // namespace

bool windowPositionsKnown() { return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland")); }

WindowState programWindowState(const QWidget& window) {
    const Qt::WindowStates state = window.windowState();
    if (state & Qt::WindowMinimized) return WindowState::Minimized;
    if (state & Qt::WindowMaximized) return WindowState::Maximized;
    return WindowState::Normal;
}

void setProgramWindowState(QWidget& window, WindowState state) {
    Qt::WindowStates qtState = window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == WindowState::Minimized) qtState |= Qt::WindowMinimized;
    if (state == WindowState::Maximized) qtState |= Qt::WindowMaximized;
    window.setWindowState(qtState);
}

Rect OuterGeometry::of(const QWidget& window) const {
    Rect outer = TwipsScale::screen().toTwips(window.geometry().marginsAdded(frameMargins(window)));
    if (windowPositionsKnown() || !placed_) return outer;
    outer.left = placed_->left;
    outer.top = placed_->top;
    return outer;
}

void OuterGeometry::place(QWidget& window, const Rect& rect) {
    placed_ = rect;
    asked_ = frameSettled(window) ? std::nullopt : std::optional<Rect>(rect);
    window.setGeometry(TwipsScale::screen().toPixels(rect).marginsRemoved(frameMargins(window)));
}

void OuterGeometry::frameMayBeKnown(QWidget& window) {
    if (!asked_ || ownFrame(window).isNull()) return;
    const Rect asked = *asked_;
    place(window, asked);
}

// ---------------------------------------------------------------- the window
QtTopWindow::QtTopWindow() : eventWatch_(std::make_unique<EventWatch>(this)) {
    qApp->installEventFilter(eventWatch_.get());
}

QtTopWindow::~QtTopWindow() { qApp->removeEventFilter(eventWatch_.get()); }

std::string QtTopWindow::caption() const { return window() ? window()->windowTitle().toStdString() : ""; }

void QtTopWindow::setCaption(const std::string& caption) {
    if (window()) window()->setWindowTitle(QString::fromStdString(caption));
}

WindowState QtTopWindow::windowState() const {
    return window() ? programWindowState(*window()) : WindowState::Normal;
}

void QtTopWindow::setWindowState(WindowState state) {
    if (window()) setProgramWindowState(*window(), state);
}

Rect QtTopWindow::geometry() const { return window() ? outer_.of(*window()) : Rect{}; }

void QtTopWindow::setGeometry(const Rect& rect) {
    if (window()) outer_.place(*window(), rect);
}

double QtTopWindow::innerWidth() const { return inner() ? TwipsScale::screen().toTwipsX(inner()->width()) : 0; }

double QtTopWindow::innerHeight() const { return inner() ? TwipsScale::screen().toTwipsY(inner()->height()) : 0; }

void QtTopWindow::show() {
    if (!window()) return;
    window()->show();
    outer_.frameMayBeKnown(*window());
}

bool QtTopWindow::isShown() const { return window() && window()->isVisible(); }

void QtTopWindow::setBusy(bool busy) {
    if (!window()) return;
    if (busy) window()->setCursor(Qt::WaitCursor);
    else window()->unsetCursor();
}

void QtTopWindow::windowMoved() {
    if (window()) outer_.frameMayBeKnown(*window());
}

void QtTopWindow::exposed(const QObject* target) {
    if (window() && target == window()->windowHandle()) windowMoved();
}

void QtTopWindow::windowResized() {
    windowMoved();
    if (inner() == window()) innerResized();
}

void QtTopWindow::innerResized() {
    if (window() && onResize) onResize();
}

bool QtTopWindow::keyEvent(QObject* target, QEvent& event) {
    if (event.type() == QEvent::KeyRelease) {
        lastKey_ = nullptr;
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget || !window() || widget->window() != window()) return false;
    if (&event == lastKey_ && lastKeyTarget_ && widget != lastKeyTarget_ && widget->isAncestorOf(lastKeyTarget_))
        return lastKeyStopped_;
    lastKey_ = &event;
    lastKeyTarget_ = widget;
    lastKeyStopped_ = keyPressed(static_cast<const QKeyEvent&>(event));
    return lastKeyStopped_;
}

}  // namespace q32
