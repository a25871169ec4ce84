// A plain control that the program only places and shows or hides (the
// toolbar row's frame, the size grip). It owns the widget it is given.
#pragma once

#include "platform/qt/placed_widget.h"

namespace q32 {

class QtPlaced : public PlacedWidget<Placed> {
public:
    explicit QtPlaced(QWidget* widget) : PlacedWidget(widget) {}

    QWidget* widget() const { return placedWidget(); }
};

}  // namespace q32
