// A status panel: a sunken panel with a caption and, in progress mode, a
// fill bar in the highlight colour running from the left under the caption.
#pragma once

#include <QPainter>

#include "platform/controls.h"
#include "platform/qt/placed_widget.h"

namespace q32 {

class QtStatusPanel : public PlacedWidget<StatusPanel> {
public:
    explicit QtStatusPanel(QWidget* parent);

    std::string caption() const override { return caption_; }
    void setCaption(const std::string& caption) override;
    Alignment alignment() const override { return alignment_; }
    void setAlignment(Alignment alignment) override;
    bool progressMode() const override { return progressMode_; }
    void setProgressMode(bool on) override;
    int fillPercent() const override { return fillPercent_; }
    void setFillPercent(int percent) override;
    TextColor textColor() const override { return textColor_; }
    void setTextColor(TextColor color) override;
    void repaint() override;

    QWidget* widget() const { return panel_; }
    // The colour the caption is drawn in now.
    QColor captionColor() const;

    // Draws what lies inside the panel's border.
    virtual void paintContents(QPainter& painter, const QRect& area) const;

private:
    QWidget* panel_;
    std::string caption_;
    Alignment alignment_ = Alignment::Left;
    bool progressMode_ = false;
    int fillPercent_ = 0;
    TextColor textColor_ = TextColor::WindowText;
};

}  // namespace q32
