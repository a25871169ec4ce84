// A text viewer window in Qt: a top-level window of its own with a
// read-only plain-text area and, when designed with one, a push button over
// it. Bytes are drawn through the code page 437 table in the PC's VGA font
// ("Px IBM VGA8" from fonts-pc), or DejaVu Sans Mono where that is missing.
#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "platform/qt/top_window.h"
#include "platform/viewer_window.h"

namespace q32 {

// Viewer text as Qt shows it: CR LF ends a line, a tab stays a tab, every
// other byte is the character code page 437 draws for it.
QString viewerText(const std::string& bytes);

// The viewers' font: the VGA font at the size whose cells are as wide as the
// 9-point Terminal font's (8 pixels at 96 dots an inch), or the fall-back.
// Its cells are whole pixels, so line art joins on a scaled screen too.
QFont viewerFont();

class QtViewerWindow : public ViewerWindow, public QtTopWindow {
public:
    // Where windows cannot be placed (Wayland), the viewer is the owner's
    // own window: the compositor keeps it with the owner and above it.
    explicit QtViewerWindow(QWidget* owner = nullptr) : owner_(owner) {}
    ~QtViewerWindow() override;

    void load(const ViewerDesign& design) override;
    bool isLoaded() const override { return !window_.isNull(); }
    void close() override;
    void focus() override;
    void setBusy(bool busy) override;
    std::string text() const override { return bytes_; }
    void setText(const std::string& bytes) override;
    Rect textGeometry() const override;
    void setTextGeometry(const Rect& rect) override;
    bool textVisible() const override;
    void setTextVisible(bool visible) override;
    void clearSelection() override;
    Rect buttonGeometry() const override;
    void setButtonGeometry(const Rect& rect) override;

    QWidget* window() const override { return window_.data(); }
    QPlainTextEdit* textArea() const { return text_.data(); }
    QPushButton* button() const { return button_.data(); }

    // Called by the window's own event handlers.
    bool closing() override;
    void textDoubleClicked();

protected:
    bool keyPressed(const QKeyEvent& event) override;

private:
    // The window goes (its own close deletes it); its text goes with it.
    void discarded();

    QPointer<QWidget> owner_;
    QPointer<QWidget> window_;
    QPointer<QPlainTextEdit> text_;
    QPointer<QPushButton> button_;
    std::string bytes_;
};

}  // namespace q32
