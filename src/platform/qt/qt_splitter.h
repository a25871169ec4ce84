// The splitter: two panes side by side with a bar between them that the user
// drags. The panes themselves are empty; the folder tree and the file list
// are children of the splitter widget, lying above the panes where the
// program places them (in the splitter's own twips).
#pragma once

#include <QSplitter>

#include "platform/controls.h"
#include "platform/qt/placed_widget.h"

namespace q32 {

class QtSplitter : public PlacedWidget<Splitter> {
public:
    explicit QtSplitter(QWidget* parent);

    void addSecondPane(const std::string& controlName) override;
    int paneCount() const override;
    Rect pane(int index) const override;
    double pane1Width() const override;
    void setPane1Width(double width) override;

    // Only the program resizes the splitter: a change of size lays the panes
    // out at once and is reported through onResize.
    void setGeometry(const Rect& rect) override;

    // The widget the controls of the panes are children of.
    QWidget* widget() const { return outer_; }
    QSplitter* bar() const { return splitter_; }
    QWidget* paneWidget(int index) const;

private:
    void layOut();
    void barMoved();

    QWidget* outer_;
    QSplitter* splitter_;
    QWidget* panes_[2];
    int pane1Pixels_ = 200;
};

}  // namespace q32
