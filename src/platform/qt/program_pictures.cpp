#include "platform/qt/program_pictures.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainterPath>
#include <QPixmap>

namespace q32 {

void drawQuill(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(area.topLeft());
    painter.scale(area.width() / 24.0, area.height() / 24.0);

    // The vane: a leaf-shaped feather leaning to the right.
    QPainterPath vane;
    vane.moveTo(5, 20);
    vane.cubicTo(6, 12, 12, 4, 22, 1);
    vane.cubicTo(20, 8, 15, 15, 5, 20);
    QLinearGradient shade(5, 20, 22, 1);
    shade.setColorAt(0, QColor(120, 20, 30));
    shade.setColorAt(1, QColor(215, 70, 60));
    painter.setPen(QPen(QColor(80, 10, 20), 0.8));
    painter.setBrush(shade);
    painter.drawPath(vane);

    // The shaft running through it and down to the nib.
    painter.setPen(QPen(QColor(250, 225, 170), 0.9, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(7, 18), QPointF(20, 3));
    painter.setPen(QPen(QColor(40, 30, 20), 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(5, 20), QPointF(2, 23));
    painter.restore();
}

void drawProgramIcon(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc = area.adjusted(area.width() * 0.03, area.height() * 0.03, -area.width() * 0.03,
                                      -area.height() * 0.03);
    QRadialGradient parchment(disc.center() - QPointF(disc.width() * 0.15, disc.height() * 0.15), disc.width() * 0.7);
    parchment.setColorAt(0, QColor(252, 244, 220));
    parchment.setColorAt(1, QColor(222, 194, 140));
    painter.setPen(QPen(QColor(110, 20, 30), qMax(1.0, area.width() / 24.0)));
    painter.setBrush(parchment);
    painter.drawEllipse(disc);
    painter.restore();
    const qreal inset = area.width() * 0.16;
    drawQuill(painter, area.adjusted(inset, inset, -inset, -inset));
}

QImage programIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawProgramIcon(painter, QRectF(0, 0, size, size));
    painter.end();
    return image;
}

QIcon quillIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(QPixmap::fromImage(programIconImage(size)));
    return icon;
}

QFont decorativeFont(int pixelSize) {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* wanted : {"URW Chancery L", "Z003", "TeX Gyre Chorus", "Chancery", "DejaVu Serif"}) {
            const QString name = QString::fromLatin1(wanted);
            if (installed.contains(name, Qt::CaseInsensitive)) return name;
        }
        return QString();
    }();
    QFont font(family);
    font.setStyleHint(QFont::Serif);
    font.setItalic(true);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

}  // namespace q32
