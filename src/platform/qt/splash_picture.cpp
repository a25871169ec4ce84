#include "platform/qt/splash_picture.h"

#include <QPainter>
#include <QPainterPath>

#include "platform/qt/program_pictures.h"

namespace q32 {

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 210;
const QColor kInk(60, 30, 20);
const QColor kWine(110, 20, 30);

// The sheet between the two rolls, its long edges gently waved.
QPainterPath sheet() {
    QPainterPath path;
    path.moveTo(28, 22);
    path.cubicTo(120, 12, 240, 32, 332, 22);
    path.lineTo(332, 170);
    path.cubicTo(240, 180, 120, 160, 28, 170);
    path.closeSubpath();
    return path;
}

void drawRoll(QPainter& p, qreal x) {
    QLinearGradient shade(x - 14, 0, x + 14, 0);
    shade.setColorAt(0, QColor(170, 130, 80));
    shade.setColorAt(0.5, QColor(245, 228, 190));
    shade.setColorAt(1, QColor(160, 120, 70));
    p.setPen(QPen(QColor(100, 70, 40), 1.5));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(x - 14, 10, 28, 174), 14, 14);
}

void drawSheet(QPainter& p) {
    QLinearGradient parchment(0, 20, 0, 175);
    parchment.setColorAt(0, QColor(250, 240, 210));
    parchment.setColorAt(1, QColor(225, 200, 150));
    p.setPen(QPen(QColor(120, 90, 50), 1.5));
    p.setBrush(parchment);
    p.drawPath(sheet());
}

void drawLettering(QPainter& p) {
    p.setPen(kInk);
    p.setFont(decorativeFont(36));
    p.drawText(QRect(48, 34, 220, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quillet32"));
    QFont subtitle = p.font();
    subtitle.setFamily(QString());
    subtitle.setItalic(false);
    subtitle.setBold(false);
    subtitle.setPixelSize(13);
    p.setFont(subtitle);
    p.drawText(QRect(52, 94, 220, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Archive installer"));
    p.setPen(kWine);
    p.setFont(decorativeFont(20));
    p.drawText(QRect(48, 128, 160, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tobrek"));
}

// A red wax seal hanging over the lower edge, on the right.
void drawSeal(QPainter& p) {
    const QPointF centre(282, 176);
    QPainterPath ribbon;
    ribbon.moveTo(270, 180);
    ribbon.lineTo(262, 206);
    ribbon.lineTo(272, 200);
    ribbon.lineTo(280, 208);
    ribbon.lineTo(284, 182);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 30, 40));
    p.drawPath(ribbon);
    QRadialGradient wax(centre - QPointF(6, 6), 26);
    wax.setColorAt(0, QColor(220, 70, 70));
    wax.setColorAt(1, QColor(120, 15, 25));
    p.setPen(QPen(QColor(90, 10, 20), 1.5));
    p.setBrush(wax);
    p.drawEllipse(centre, 22, 22);
    p.setPen(QPen(QColor(250, 200, 190, 160), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 15, 15);
    p.setFont(decorativeFont(16));
    p.drawText(QRectF(centre.x() - 15, centre.y() - 15, 30, 30), Qt::AlignCenter, QStringLiteral("Q"));
}

}  // namespace

QImage splashPicture(qreal devicePixelRatio) {
    QImage image(QSize(kWidth, kHeight) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawSheet(p);
    drawRoll(p, 28);
    drawRoll(p, 332);
    drawLettering(p);
    drawSeal(p);
    return image;
}

QRect splashIconArea() { return QRect(236, 34, 72, 72); }

}  // namespace q32
