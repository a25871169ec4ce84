#include "platform/qt/top_window.h"

#include <QApplication>

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

}  // namespace

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
    return TwipsScale::screen().toTwips(window.geometry().marginsAdded(frameMargins(window)));
}

void OuterGeometry::place(QWidget& window, const Rect& rect) {
    asked_ = ownFrame(window).isNull() ? std::optional<Rect>(rect) : std::nullopt;
    window.setGeometry(TwipsScale::screen().toPixels(rect).marginsRemoved(frameMargins(window)));
}

void OuterGeometry::frameMayBeKnown(QWidget& window) {
    if (!asked_ || ownFrame(window).isNull()) return;
    const Rect asked = *asked_;
    place(window, asked);
}

}  // namespace q32
