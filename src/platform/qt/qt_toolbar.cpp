#include "platform/qt/qt_toolbar.h"

#include <QEnterEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <algorithm>

#include "platform/qt/toolbar_icons.h"

namespace q32 {

namespace {

constexpr int kIconSize = 24;
constexpr int kSeparatorWidth = 10;

// The row itself; it tells the toolbar when the pointer comes and goes.
class ToolbarRow : public QWidget {
public:
    ToolbarRow(QWidget* parent, QtToolbar* toolbar) : QWidget(parent), toolbar_(toolbar) {}

protected:
    void enterEvent(QEnterEvent* event) override {
        QWidget::enterEvent(event);
        if (toolbar_->onMouseEnter) toolbar_->onMouseEnter();
    }
    void leaveEvent(QEvent* event) override {
        QWidget::leaveEvent(event);
        if (toolbar_->onMouseExit) toolbar_->onMouseExit();
    }

private:
    QtToolbar* toolbar_;
};

// A tool button that shows clearly when it is down: a group button that is
// down gets a frame in the highlight colour on top of the style's own look.
class ToolbarButton : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent* event) override {
        QToolButton::paintEvent(event);
        if (!isChecked()) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
    }
};

}  // namespace

QtToolbar::QtToolbar(QWidget* parent) : PlacedWidget(new ToolbarRow(parent, this)), row_(placedWidget()) {
    auto* layout = new QHBoxLayout(row_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    fitWidth();
}

void QtToolbar::addButton(const std::string& key, ButtonStyle style, const std::string& toolTip) {
    const int index = count() + 1;
    QWidget* widget = nullptr;
    if (style == ButtonStyle::Separator) {
        auto* line = new QFrame(row_);
        line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        line->setFixedWidth(kSeparatorWidth);
        widget = line;
    } else {
        auto* button = new ToolbarButton(row_);
        button->setIcon(toolbarIcon(key));
        button->setIconSize(QSize(kIconSize, kIconSize));
        button->setToolTip(QString::fromStdString(toolTip));
        button->setAutoRaise(hotTracking_);
        button->setCheckable(style == ButtonStyle::Group);
        button->setFocusPolicy(Qt::NoFocus);
        QObject::connect(button, &QToolButton::clicked, button, [this, index] { clicked(index); });
        widget = button;
    }
    row_->layout()->addWidget(widget);
    buttons_.push_back({key, style, toolTip, widget});
    fitWidth();
}

const QtToolbar::Entry* QtToolbar::entry(int index) const {
    if (index < 1 || index > count()) return nullptr;
    return &buttons_[static_cast<std::size_t>(index - 1)];
}

QToolButton* QtToolbar::button(int index) const {
    const Entry* found = entry(index);
    if (!found || found->style == ButtonStyle::Separator) return nullptr;
    return static_cast<QToolButton*>(found->widget);
}

std::string QtToolbar::key(int index) const {
    const Entry* found = entry(index);
    return found ? found->key : std::string();
}

std::string QtToolbar::toolTip(int index) const {
    const Entry* found = entry(index);
    return found ? found->toolTip : std::string();
}

bool QtToolbar::isDown(int index) const {
    const QToolButton* found = button(index);
    if (!found) return false;
    return found->isCheckable() ? found->isChecked() : found->isDown();
}

void QtToolbar::setDown(int index, bool down) {
    QToolButton* target = button(index);
    if (!target) return;
    if (!target->isCheckable()) {
        target->setDown(down);
        return;
    }
    // The group keeps at most one button down; the program and the user's
    // clicks both go through here.
    if (down) {
        for (int other = 1; other <= count(); ++other) {
            QToolButton* groupButton = button(other);
            if (other != index && groupButton && groupButton->isCheckable()) groupButton->setChecked(false);
        }
    }
    target->setChecked(down);
}

bool QtToolbar::isEnabled(int index) const {
    const Entry* found = entry(index);
    return found && found->enabled;
}

void QtToolbar::setEnabled(int index, bool enabled) {
    if (index < 1 || index > count()) return;
    Entry& target = buttons_[static_cast<std::size_t>(index - 1)];
    target.enabled = enabled;
    target.widget->setEnabled(enabled);
}

void QtToolbar::setHotTracking(bool on) {
    hotTracking_ = on;
    for (int index = 1; index <= count(); ++index) {
        if (QToolButton* found = button(index)) found->setAutoRaise(on);
    }
    fitWidth();
}

void QtToolbar::setGeometry(const Rect& rect) {
    QRect pixels = TwipsScale::screen().toPixels(rect);
    pixels.setWidth(row_->sizeHint().width());
    row_->setGeometry(pixels);
}

// A user's click. A group button stays down however often it is clicked.
void QtToolbar::clicked(int index) {
    const Entry* found = entry(index);
    if (!found) return;
    if (found->style == ButtonStyle::Group) setDown(index, true);
    if (onButtonClick) onButtonClick(index);
}

void QtToolbar::fitWidth() {
    row_->layout()->activate();
    row_->resize(row_->sizeHint().width(), std::max(row_->height(), row_->sizeHint().height()));
}

}  // namespace q32
