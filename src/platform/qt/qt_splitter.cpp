#include "platform/qt/qt_splitter.h"

#include <algorithm>

namespace q32 {

namespace {

constexpr int kMinimumPanePixels = 16;

// Where the program puts the file list relative to pane 2 (left + 20,
// top + 480, width + 220, height + 160, in twips): the splitter reports pane
// 2 in the frame the program's list placement expects, so that those offsets
// land the list exactly on its pane.
constexpr Rect kListOffsets{20, 480, 220, 160};

Rect withoutListOffsets(const Rect& pane) {
    return {pane.left - kListOffsets.left, pane.top - kListOffsets.top, pane.width - kListOffsets.width,
            pane.height - kListOffsets.height};
}

QWidget* emptyPane(QWidget* parent) {
    auto* pane = new QWidget(parent);
    pane->setMinimumWidth(kMinimumPanePixels);
    return pane;
}

}  // namespace

QtSplitter::QtSplitter(QWidget* parent) : PlacedWidget(new QWidget(parent)), outer_(placedWidget()) {
    splitter_ = new QSplitter(Qt::Horizontal, outer_);
    splitter_->setChildrenCollapsible(false);
    splitter_->setOpaqueResize(true);
    panes_[0] = emptyPane(splitter_);
    panes_[1] = nullptr;
    splitter_->addWidget(panes_[0]);
    QObject::connect(splitter_, &QSplitter::splitterMoved, outer_, [this] { barMoved(); });
    layOut();
}

void QtSplitter::addSecondPane(const std::string& /*controlName*/) {
    if (panes_[1]) return;
    panes_[1] = emptyPane(splitter_);
    splitter_->addWidget(panes_[1]);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    layOut();
}

int QtSplitter::paneCount() const { return panes_[1] ? 2 : 1; }

QWidget* QtSplitter::paneWidget(int index) const {
    if (index == 1) return panes_[0];
    if (index == 2) return panes_[1];
    return nullptr;
}

Rect QtSplitter::pane(int index) const {
    const QWidget* found = paneWidget(index);
    if (!found) return {};
    const Rect real = TwipsScale::screen().toTwips(found->geometry());
    return index == 2 ? withoutListOffsets(real) : real;
}

double QtSplitter::pane1Width() const {
    const TwipsScale scale = TwipsScale::screen();
    return scale.toTwipsX(paneCount() == 2 ? panes_[0]->width() : pane1Pixels_);
}

void QtSplitter::setPane1Width(double width) {
    pane1Pixels_ = std::max(kMinimumPanePixels, TwipsScale::screen().toPixelsX(width));
    layOut();
}

void QtSplitter::setGeometry(const Rect& rect) {
    const QSize before = outer_->size();
    outer_->setGeometry(TwipsScale::screen().toPixels(rect));
    layOut();
    if (outer_->size() != before && onResize) onResize();
}

// Gives the inner splitter the whole widget and pane 1 its width. This works
// on a hidden window too, so the panes are right before the window is shown.
void QtSplitter::layOut() {
    splitter_->setGeometry(outer_->rect());
    const int width = outer_->width();
    if (paneCount() == 1) {
        splitter_->setSizes({width});
        return;
    }
    const int rest = std::max(0, width - splitter_->handleWidth() - pane1Pixels_);
    splitter_->setSizes({pane1Pixels_, rest});
}

// The user dragged the bar: pane 1 keeps the width the user gave it.
void QtSplitter::barMoved() {
    if (!panes_[1]) return;
    pane1Pixels_ = panes_[0]->width();
    if (onSplitterResize) onSplitterResize(pane(1), pane(2));
}

}  // namespace q32
