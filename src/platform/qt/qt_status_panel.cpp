#include "platform/qt/qt_status_panel.h"

#include <QFrame>
#include <QMouseEvent>
#include <algorithm>

#include "platform/qt/mouse_buttons.h"

namespace q32 {

namespace {

constexpr int kCaptionIndent = 4;

class PanelFrame : public QFrame {
public:
    PanelFrame(QWidget* parent, QtStatusPanel* panel) : QFrame(parent), panel_(panel) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        painter.setClipRect(contentsRect());
        panel_->paintContents(painter, contentsRect());
    }
    void mousePressEvent(QMouseEvent* event) override {
        QFrame::mousePressEvent(event);
        auto button = programButton(event->button());
        if (button && panel_->onMouseDown) panel_->onMouseDown(*button);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QFrame::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && panel_->onClick)
            panel_->onClick();
    }

private:
    QtStatusPanel* panel_;
};

}  // namespace

QtStatusPanel::QtStatusPanel(QWidget* parent)
    : PlacedWidget(new PanelFrame(parent, this)), panel_(placedWidget()) {}

void QtStatusPanel::setCaption(const std::string& caption) {
    caption_ = caption;
    panel_->update();
}

void QtStatusPanel::setAlignment(Alignment alignment) {
    alignment_ = alignment;
    panel_->update();
}

void QtStatusPanel::setProgressMode(bool on) {
    progressMode_ = on;
    panel_->update();
}

void QtStatusPanel::setFillPercent(int percent) {
    fillPercent_ = std::clamp(percent, 0, 100);
    panel_->update();
}

void QtStatusPanel::setTextColor(TextColor color) {
    textColor_ = color;
    panel_->update();
}

void QtStatusPanel::repaint() { panel_->repaint(); }

QColor QtStatusPanel::captionColor() const {
    switch (textColor_) {
        case TextColor::Black: return Qt::black;
        case TextColor::HighlightText: return panel_->palette().color(QPalette::HighlightedText);
        case TextColor::WindowText: break;
    }
    return panel_->palette().color(QPalette::WindowText);
}

void QtStatusPanel::paintContents(QPainter& painter, const QRect& area) const {
    if (progressMode_ && fillPercent_ > 0) {
        QRect fill = area;
        fill.setWidth(area.width() * fillPercent_ / 100);
        painter.fillRect(fill, panel_->palette().color(QPalette::Highlight));
    }
    painter.setPen(captionColor());
    const QRect text = area.adjusted(kCaptionIndent, 0, -kCaptionIndent, 0);
    const int flags = Qt::TextSingleLine | Qt::AlignVCenter |
                      (alignment_ == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft);
    painter.drawText(text, flags, QString::fromStdString(caption_));
}

}  // namespace q32
