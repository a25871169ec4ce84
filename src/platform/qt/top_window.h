// What the program's top-level windows (the main window, the text viewers)
// share: their state as the program names it, and their outer geometry in
// twips, whose frame a window manager makes known only once the window is on
// the screen.
#pragma once

#include <optional>

#include <QWidget>

#include "platform/controls.h"

namespace q32 {

WindowState programWindowState(const QWidget& window);
void setProgramWindowState(QWidget& window, WindowState state);

class OuterGeometry {
public:
    Rect of(const QWidget& window) const;
    // Places the window so that its frame covers `rect`. Before the frame is
    // known the rectangle is kept, and placed again once it is.
    void place(QWidget& window, const Rect& rect);
    // Called from the window's show, move and resize handlers.
    void frameMayBeKnown(QWidget& window);
    void forget() { asked_.reset(); }

private:
    std::optional<Rect> asked_;
};

}  // namespace q32
