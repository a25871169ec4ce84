// The toolbar: a row of tool buttons placed on the window like any other
// control. It is as wide as its buttons; the program reads that width.
#pragma once

#include <QToolButton>
#include <vector>

#include "platform/controls.h"
#include "platform/qt/placed_widget.h"

namespace q32 {

class QtToolbar : public PlacedWidget<Toolbar> {
public:
    explicit QtToolbar(QWidget* parent);

    void addButton(const std::string& key, ButtonStyle style, const std::string& toolTip) override;
    int count() const override { return static_cast<int>(buttons_.size()); }
    std::string key(int index) const override;
    std::string toolTip(int index) const override;
    bool isDown(int index) const override;
    void setDown(int index, bool down) override;
    bool isEnabled(int index) const override;
    void setEnabled(int index, bool enabled) override;
    void setHotTracking(bool on) override;
    bool hotTracking() const override { return hotTracking_; }

    // The width always follows the buttons; the place and the height are
    // the program's.
    void setGeometry(const Rect& rect) override;

    QWidget* widget() const { return row_; }
    // The tool button of an index; null for a separator or an unknown index.
    QToolButton* button(int index) const;

private:
    struct Entry {
        std::string key;
        ButtonStyle style;
        std::string toolTip;
        QWidget* widget;  // a QToolButton, or the separator line
        bool enabled = true;
    };

    const Entry* entry(int index) const;
    void clicked(int index);
    void fitWidth();

    QWidget* row_;
    std::vector<Entry> buttons_;
    bool hotTracking_ = false;
};

}  // namespace q32
