// Status panel 1, the program's mark: the quill and the word "Tobrek" in a
// decorative typeface. The program never changes it.
#pragma once

#include "platform/qt/qt_status_panel.h"

namespace q32 {

class QtMarkPanel : public QtStatusPanel {
public:
    explicit QtMarkPanel(QWidget* parent);

    void paintContents(QPainter& painter, const QRect& area) const override;
};

}  // namespace q32
