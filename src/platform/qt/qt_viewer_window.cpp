#include "platform/qt/qt_viewer_window.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "common/cp437.h"
#include "platform/qt/key_codes.h"
#include "platform/qt/twips.h"

namespace q32 {

namespace {

const QString kVgaFamily = QStringLiteral("Px IBM VGA8");
const QString kFallbackFamily = QStringLiteral("DejaVu Sans Mono");
// The VGA font's cells are 8 by 16 of its pixels, and its size is their height.
constexpr int kVgaCellHeight = 16;

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
    // DejaVu Sans Mono's cells are 0.6 of its size: 10 points give about 8 pixels at 96 dots an inch.
    if (!vga) {
        font.setPointSizeF(10);
        return font;
    }
    // Each pixel of the VGA font drawn as a whole number of pixels, the number
    // that comes nearest its 16-pixel size at 96 dots an inch: its cells stay
    // whole pixels, so line art joins. Where the screen's scale makes those
    // whole screen pixels too, it is drawn sharp; otherwise smoothed, so that
    // its strokes keep an even width.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dotsPerInch = screen ? screen->logicalDotsPerInchY() : 96;
    const int pixels = kVgaCellHeight * static_cast<int>(std::max(1L, std::lround(dotsPerInch / 96)));
    font.setPixelSize(pixels);
    const double screenPixelsEach = pixels / kVgaCellHeight * (screen ? screen->devicePixelRatio() : 1);
    if (screenPixelsEach == std::floor(screenPixelsEach)) font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QtViewerWindow::~QtViewerWindow() {
    if (window_) {
        window_->blockSignals(true);
        delete window_.data();
    }
}

void QtViewerWindow::load(const ViewerDesign& design) {
    close();
    const TwipsScale scale = TwipsScale::screen();
    // The window itself is the inner area: the text area and the button lie on it.
    QWidget* owner = windowPositionsKnown() ? nullptr : owner_.data();
    auto* window = new TopWindowWidget<QWidget>(this, owner, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Closing a viewer never ends the program.
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window_ = window;
    window->setWindowTitle(QString::fromStdString(design.caption));

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

    if (design.buttonCaption.empty()) return;
    button_ = new QPushButton(QString::fromStdString(design.buttonCaption), window);
    button_->setGeometry(scale.toPixels(design.button).translated(growth.width(), 0));
    button_->raise();
    QObject::connect(button_.data(), &QPushButton::clicked, button_.data(), [this] {
        if (onButtonClick) onButtonClick();
    });
}

void QtViewerWindow::close() {
    QWidget* window = window_.data();
    discarded();
    if (window) window->close();
}

bool QtViewerWindow::closing() {
    discarded();
    return true;
}

void QtViewerWindow::discarded() {
    window_.clear();
    text_.clear();
    button_.clear();
    bytes_.clear();
    forgetPlacement();
}

void QtViewerWindow::focus() {
    if (!window_) return;
    window_->raise();
    window_->activateWindow();
    text_->setFocus();
}

void QtViewerWindow::setBusy(bool busy) {
    QtTopWindow::setBusy(busy);
    // The text area has a pointer of its own, which would hide the window's.
    if (text_) text_->viewport()->setCursor(busy ? Qt::WaitCursor : Qt::IBeamCursor);
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
