// The Placed side of a control shown by one widget: geometry in twips
// relative to the widget's parent, and visibility. The control owns its
// widget and deletes it when it goes; its signals are blocked first, so
// nothing reaches a control that is being taken apart.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/geometry.h"
#include "platform/qt/twips.h"

namespace q32 {

template <class Interface>
class PlacedWidget : public Interface {
public:
    ~PlacedWidget() override {
        if (placed_) {
            placed_->blockSignals(true);
            delete placed_.data();
        }
    }
    PlacedWidget(const PlacedWidget&) = delete;
    PlacedWidget& operator=(const PlacedWidget&) = delete;

    Rect geometry() const override { return TwipsScale::screen().toTwips(placed_->geometry()); }
    void setGeometry(const Rect& rect) override { placed_->setGeometry(TwipsScale::screen().toPixels(rect)); }
    // Whether the control is meant to be seen: true for a control on a
    // window that is not shown yet, unless it was hidden itself.
    bool isVisible() const override { return !placed_->isHidden(); }
    void setVisible(bool visible) override { placed_->setVisible(visible); }

protected:
    explicit PlacedWidget(QWidget* widget) : placed_(widget) {}
    QWidget* placedWidget() const { return placed_.data(); }

private:
    QPointer<QWidget> placed_;
};

}  // namespace q32
