#include "platform/qt/qt_viewer_window.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QTextLayout>
#include <QtMath>

#include "common/cp437.h"
#include "platform/qt/key_codes.h"
#include "platform/qt/twips.h"

namespace q32 {

namespace {

const QString kVgaFamily = QStringLiteral("Px IBM VGA8");
const QString kFallbackFamily = QStringLiteral("DejaVu Sans Mono");

// The window itself is the inner area: the text area and the button are
// placed on it.
class ViewerFrame : public QWidget {
public:
    explicit ViewerFrame(QtViewerWindow* owner) : QWidget(nullptr, Qt::Window), owner_(owner) {
        setAttribute(Qt::WA_DeleteOnClose);
        // Closing a viewer never ends the program.
        setAttribute(Qt::WA_QuitOnClose, false);
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        owner_->discarded();
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        owner_->frameMayBeKnown();
        owner_->resized();
    }
    void moveEvent(QMoveEvent* event) override {
        QWidget::moveEvent(event);
        owner_->frameMayBeKnown();
    }
    void changeEvent(QEvent* event) override {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange) owner_->resized();
    }

private:
    QtViewerWindow* owner_;
};

class ViewerText : public QPlainTextEdit {
public:
    ViewerText(QWidget* parent, QtViewerWindow* owner) : QPlainTextEdit(parent), owner_(owner) {}

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QPlainTextEdit::mouseDoubleClickEvent(event);
        owner_->textDoubleClicked();
    }

private:
    QtViewerWindow* owner_;
};

// Keys reach the program whichever part of the window has the focus.
class KeyWatch : public QObject {
public:
    explicit KeyWatch(QtViewerWindow* owner) : owner_(owner) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease) lastKey_ = nullptr;
        if (event->type() != QEvent::KeyPress) return false;
        // A key the focused part does not take goes on to the window: the
        // program has seen it already.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key == lastKey_) return false;
        lastKey_ = key;
        return owner_->keyPressed(*key);
    }

private:
    QtViewerWindow* owner_;
    const QKeyEvent* lastKey_ = nullptr;
};

// A character cell of the font, pixels: the advance of a letter, and the
// height of a line as the text area lays it out (fractions where the font
// has them).
QSizeF cellSize(const QFont& font) {
    QTextLayout layout(QStringLiteral("M"), font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLeadingIncluded(true);
    layout.endLayout();
    return {QFontMetricsF(font).horizontalAdvance(QLatin1Char('M')), line.height()};
}

// What the text area takes besides its cells, pixels: its frame and the
// document's margin on each side, the caret after the longest line, and the
// pixel the scroll range keeps below the last line.
QSize spaceAroundCells(const QPlainTextEdit& text) {
    const int frame = 2 * text.frameWidth();
    const int margin = 2 * qCeil(text.document()->documentMargin());
    return {frame + margin + text.cursorWidth(), frame + margin + 1};
}

// How much a text area of the designed size must grow, pixels, to hold the
// designed cells in its own font; nothing when they fit already.
QSize growthForCells(const QPlainTextEdit& text, const QSize& designed, TextCells cells) {
    const QSizeF cell = cellSize(text.font());
    const QSize needed = QSize(qCeil(cells.columns * cell.width()), qCeil(cells.lines * cell.height())) +
                         spaceAroundCells(text);
    return (needed - designed).expandedTo(QSize(0, 0));
}

}  // namespace

QString viewerText(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            text += QChar('\n');
            ++i;
        } else if (byte == '\t') {
            text += QChar('\t');
        } else {
            text += QChar(cp437Glyph(byte));
        }
    }
    return text;
}

QFont viewerFont() {
    const bool vga = QFontDatabase::families().contains(kVgaFamily);
    QFont font(vga ? kVgaFamily : kFallbackFamily);
    font.setStyleHint(QFont::TypeWriter);
    // The VGA font's cells are half as wide as its size: 16 pixels (12
    // points at 96 dots an inch) give 8-pixel cells, drawn without blur.
    // DejaVu Sans Mono's cells are 0.6 of its size.
    font.setPointSizeF(vga ? 12 : 10);
    if (vga) font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QtViewerWindow::QtViewerWindow() : keyWatch_(std::make_unique<KeyWatch>(this)) {}

QtViewerWindow::~QtViewerWindow() {
    if (window_) {
        window_->blockSignals(true);
        delete window_.data();
    }
}

void QtViewerWindow::load(const ViewerDesign& design) {
    close();
    const TwipsScale scale = TwipsScale::screen();
    auto* window = new ViewerFrame(this);
    window_ = window;
    window->setWindowTitle(QString::fromStdString(design.caption));
    window->installEventFilter(keyWatch_.get());

    text_ = new ViewerText(window, this);
    text_->setReadOnly(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    text_->setFont(viewerFont());
    const QRect textArea = scale.toPixels(design.textArea);
    const QSize growth = growthForCells(*text_, textArea.size(), designedCells(design.textArea));
    text_->setGeometry(QRect(textArea.topLeft(), textArea.size() + growth));
    window->resize(QSize(scale.toPixelsX(design.innerWidth), scale.toPixelsY(design.innerHeight)) + growth);
    if (design.background) {
        QPalette palette = text_->palette();
        palette.setColor(QPalette::Base, QColor(design.background->red, design.background->green,
                                                design.background->blue));
        text_->setPalette(palette);
    }
    text_->installEventFilter(keyWatch_.get());

    if (design.buttonCaption.empty()) return;
    button_ = new QPushButton(QString::fromStdString(design.buttonCaption), window);
    button_->setGeometry(scale.toPixels(design.button).translated(growth.width(), 0));
    button_->raise();
    button_->installEventFilter(keyWatch_.get());
    QObject::connect(button_.data(), &QPushButton::clicked, button_.data(), [this] {
        if (onButtonClick) onButtonClick();
    });
}

void QtViewerWindow::close() {
    QWidget* window = window_.data();
    discarded();
    if (window) window->close();
}

// The window goes (its own close deletes it); its text goes with it.
void QtViewerWindow::discarded() {
    window_.clear();
    text_.clear();
    button_.clear();
    bytes_.clear();
    outer_.forget();
}

void QtViewerWindow::show() {
    if (!window_) return;
    window_->show();
    frameMayBeKnown();
}

bool QtViewerWindow::isShown() const { return window_ && window_->isVisible(); }

void QtViewerWindow::focus() {
    if (!window_) return;
    window_->raise();
    window_->activateWindow();
    text_->setFocus();
}

std::string QtViewerWindow::caption() const { return window_ ? window_->windowTitle().toStdString() : ""; }

void QtViewerWindow::setCaption(const std::string& caption) {
    if (window_) window_->setWindowTitle(QString::fromStdString(caption));
}

WindowState QtViewerWindow::windowState() const {
    return window_ ? programWindowState(*window_) : WindowState::Normal;
}

void QtViewerWindow::setWindowState(WindowState state) {
    if (window_) setProgramWindowState(*window_, state);
}

Rect QtViewerWindow::geometry() const { return window_ ? outer_.of(*window_) : Rect{}; }

void QtViewerWindow::setGeometry(const Rect& rect) {
    if (window_) outer_.place(*window_, rect);
}

void QtViewerWindow::frameMayBeKnown() {
    if (window_) outer_.frameMayBeKnown(*window_);
}

double QtViewerWindow::innerWidth() const { return window_ ? TwipsScale::screen().toTwipsX(window_->width()) : 0; }

double QtViewerWindow::innerHeight() const {
    return window_ ? TwipsScale::screen().toTwipsY(window_->height()) : 0;
}

void QtViewerWindow::setBusy(bool busy) {
    if (!window_) return;
    // The text area has a pointer of its own, which would hide the window's.
    if (busy) {
        window_->setCursor(Qt::WaitCursor);
        text_->viewport()->setCursor(Qt::WaitCursor);
    } else {
        window_->unsetCursor();
        text_->viewport()->setCursor(Qt::IBeamCursor);
    }
}

// A line end after the last line starts no empty line of its own, so a
// description of ten lines shows in ten lines, with nothing to scroll to.
void QtViewerWindow::setText(const std::string& bytes) {
    if (!window_) return;
    bytes_ = bytes;
    const bool lineEndLast = bytes.ends_with("\r\n");
    text_->setPlainText(viewerText(lineEndLast ? bytes.substr(0, bytes.size() - 2) : bytes));
}

Rect QtViewerWindow::textGeometry() const {
    return text_ ? TwipsScale::screen().toTwips(text_->geometry()) : Rect{};
}

void QtViewerWindow::setTextGeometry(const Rect& rect) {
    if (text_) text_->setGeometry(TwipsScale::screen().toPixels(rect));
}

bool QtViewerWindow::textVisible() const { return text_ && !text_->isHidden(); }

void QtViewerWindow::setTextVisible(bool visible) {
    if (text_) text_->setVisible(visible);
}

void QtViewerWindow::clearSelection() {
    if (!text_) return;
    QTextCursor cursor = text_->textCursor();
    cursor.clearSelection();
    text_->setTextCursor(cursor);
}

Rect QtViewerWindow::buttonGeometry() const {
    return button_ ? TwipsScale::screen().toTwips(button_->geometry()) : Rect{};
}

void QtViewerWindow::setButtonGeometry(const Rect& rect) {
    if (button_) button_->setGeometry(TwipsScale::screen().toPixels(rect));
}

void QtViewerWindow::resized() {
    if (window_ && onResize) onResize();
}

// True when the key closed the window, so nothing else sees it.
bool QtViewerWindow::keyPressed(const QKeyEvent& event) {
    const int code = keyCode(event);
    if (code == 0 || !onKeyDown) return false;
    onKeyDown(code);
    return !window_;
}

void QtViewerWindow::textDoubleClicked() {
    if (onTextDblClick) onTextDblClick();
}

}  // namespace q32
