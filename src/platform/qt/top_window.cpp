#include "platform/qt/top_window.h"

#include "platform/qt/twips.h"

namespace q32 {

namespace {

// The frame around the inner area; empty while the window is not shown (and
// where no window manager draws frames).
QMargins frameMargins(const QWidget& window) {
    if (!window.isVisible()) return {};
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
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

Rect OuterGeometry::of(const QWidget& window) const { return TwipsScale::screen().toTwips(window.frameGeometry()); }

void OuterGeometry::place(QWidget& window, const Rect& rect) {
    const QMargins margins = frameMargins(window);
    asked_ = margins.isNull() ? std::optional<Rect>(rect) : std::nullopt;
    window.setGeometry(TwipsScale::screen().toPixels(rect).marginsRemoved(margins));
}

void OuterGeometry::frameMayBeKnown(QWidget& window) {
    if (!asked_ || frameMargins(window).isNull()) return;
    const Rect asked = *asked_;
    place(window, asked);
}

}  // namespace q32
