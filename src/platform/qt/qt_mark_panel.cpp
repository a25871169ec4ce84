#include "platform/qt/qt_mark_panel.h"

#include <QFontMetrics>
#include <algorithm>

#include "platform/qt/program_pictures.h"

namespace q32 {

QtMarkPanel::QtMarkPanel(QWidget* parent) : QtStatusPanel(parent) {
    setCaption("Tobrek");
    setAlignment(Alignment::Center);
}

void QtMarkPanel::paintContents(QPainter& painter, const QRect& area) const {
    const int side = std::max(1, area.height() - 4);
    const QRectF quill(area.left() + 2, area.top() + 2, side, side);
    drawQuill(painter, quill);

    const QRect word = area.adjusted(side + 3, 0, 0, 0);
    QFont font = decorativeFont(std::max(8, area.height() - 6));
    // The word always fits beside the quill: a narrow panel gets smaller letters.
    for (int pixels = font.pixelSize(); pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(QString::fromStdString(caption())) <= word.width()) break;
    }
    painter.setFont(font);
    painter.setPen(QColor(110, 20, 30));
    painter.drawText(word, Qt::AlignCenter | Qt::TextSingleLine, QString::fromStdString(caption()));
}

}  // namespace q32
