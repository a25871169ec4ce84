// What the program's top-level windows (the main window, the text viewers)
// share in Qt: caption, state as the program names it, outer geometry in
// twips, inner size, show, busy pointer; and what their widgets report back:
// the close box, moves, resizes, state changes and the keys typed in them.
#pragma once

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <utility>

#include "platform/controls.h"

namespace q32 {

// False where the platform lets no program place its windows or read where
// they are (Wayland).
bool windowPositionsKnown();

WindowState programWindowState(const QWidget& window);
void setProgramWindowState(QWidget& window, WindowState state);

// The outer geometry of a window in twips, whose frame a window manager
// makes known only once the window is on the screen. Where the platform
// tells no program where its windows are (Wayland), the position read back
// is the last one the program gave.
class OuterGeometry {
public:
    Rect of(const QWidget& window) const;
    // Places the window so that its frame covers `rect`. Before the frame is
    // known the rectangle is kept, and placed again once it is.
    void place(QWidget& window, const Rect& rect);
    // Called from the window's show, move, resize and expose handlers.
    void frameMayBeKnown(QWidget& window);
    void forget() { asked_.reset(); }

private:
    std::optional<Rect> asked_;
    std::optional<Rect> placed_;
};

// A top-level window over a Qt widget that may come and go: while there is
// none, the calls do nothing and report an empty, hidden window.
class QtTopWindow : public virtual TopLevelWindow {
public:
    QtTopWindow();
    ~QtTopWindow() override;
    QtTopWindow(const QtTopWindow&) = delete;
    QtTopWindow& operator=(const QtTopWindow&) = delete;

    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    WindowState windowState() const override;
    void setWindowState(WindowState state) override;
    Rect geometry() const override;
    void setGeometry(const Rect& rect) override;
    double innerWidth() const override;
    double innerHeight() const override;
    void show() override;
    bool isShown() const override;
    void setBusy(bool busy) override;

    // The top-level widget, null while there is none.
    virtual QWidget* window() const = 0;
    // The area the controls lie on; its size is the inner size.
    virtual QWidget* inner() const { return window(); }

    // Called by the window's own event handlers.
    // The close box, or the widget's close(): false keeps the window open.
    virtual bool closing() = 0;
    void windowMoved();
    void windowResized();
    // Something of the program came on the screen.
    void exposed(const QObject* target);
    // The inner area changed size, or the window its state.
    void innerResized();
    // Every key press and release of the application; true stops the press.
    bool keyEvent(QObject* target, QEvent& event);

protected:
    // A key typed anywhere in the window, seen once; true stops it there.
    virtual bool keyPressed(const QKeyEvent& event) = 0;
    // The widget has gone: the next one is placed afresh.
    void forgetPlacement() { outer_.forget(); }

private:
    OuterGeometry outer_;
    std::unique_ptr<QObject> eventWatch_;
    // The key press last seen, where, and whether it was stopped: a key a
    // widget does not take goes on to its parents, and the program has seen
    // it already.
    const QEvent* lastKey_ = nullptr;
    QPointer<QWidget> lastKeyTarget_;
    bool lastKeyStopped_ = false;
};

// A top-level widget (QWidget, QMainWindow) that reports to its window.
template <typename Widget>
class TopWindowWidget : public Widget {
public:
    template <typename... Args>
    explicit TopWindowWidget(QtTopWindow* owner, Args&&... args)
        : Widget(std::forward<Args>(args)...), owner_(owner) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        if (owner_->closing()) event->accept();
        else event->ignore();
    }
    void changeEvent(QEvent* event) override {
        Widget::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange) owner_->innerResized();
    }
    void moveEvent(QMoveEvent* event) override {
        Widget::moveEvent(event);
        owner_->windowMoved();
    }
    void resizeEvent(QResizeEvent* event) override {
        Widget::resizeEvent(event);
        owner_->windowResized();
    }

private:
    QtTopWindow* owner_;
};

}  // namespace q32
