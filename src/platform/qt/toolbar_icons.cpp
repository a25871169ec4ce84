#include "platform/qt/toolbar_icons.h"

#include <QApplication>
#include <QFont>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <map>

namespace q32 {

namespace {

// Pictures are drawn on a 24 x 24 grid and scaled to the size asked for.
constexpr double kGrid = 24.0;

QFont labelFont(double pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setStretch(QFont::Condensed);
    font.setBold(true);
    font.setPixelSize(static_cast<int>(pixelSize));
    return font;
}

// The four archive kinds: a coloured rounded square with the kind's letters.
void drawKind(QPainter& p, const QColor& colour, const QString& letters) {
    QLinearGradient shade(0, 2, 0, 22);
    shade.setColorAt(0, colour.lighter(135));
    shade.setColorAt(1, colour.darker(115));
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
    p.setPen(Qt::white);
    p.setFont(labelFont(9));
    p.drawText(QRectF(0, 0, kGrid, kGrid), Qt::AlignCenter, letters);
}

// A sheet of paper with a folded corner, a few lines of text and a label.
void drawPage(QPainter& p, const QString& label) {
    QPainterPath sheet;
    sheet.moveTo(4.5, 1.5);
    sheet.lineTo(15.5, 1.5);
    sheet.lineTo(20.5, 6.5);
    sheet.lineTo(20.5, 22.5);
    sheet.lineTo(4.5, 22.5);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(252, 252, 246));
    p.drawPath(sheet);
    p.setBrush(QColor(215, 215, 205));
    p.drawPolygon(QPolygonF({QPointF(15.5, 1.5), QPointF(15.5, 6.5), QPointF(20.5, 6.5)}));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (double y : {5.5, 8.5, 11.5}) p.drawLine(QPointF(7, y), QPointF(y < 7 ? 13 : 18, y));
    p.setPen(QColor(30, 60, 140));
    p.setFont(labelFont(7.5));
    p.drawText(QRectF(4, 13, 17, 9), Qt::AlignCenter, label);
}

// A cardboard box with an arrow going down into it.
void drawInstall(QPainter& p) {
    p.setPen(QPen(QColor(110, 70, 30), 1));
    p.setBrush(QColor(205, 150, 85));
    p.drawRect(QRectF(3.5, 12.5, 17, 10));
    p.setBrush(QColor(230, 180, 115));
    p.drawPolygon(QPolygonF({QPointF(3.5, 12.5), QPointF(6.5, 9.5), QPointF(17.5, 9.5), QPointF(20.5, 12.5)}));
    p.setPen(QPen(QColor(20, 110, 40), 1));
    p.setBrush(QColor(60, 170, 70));
    p.drawPolygon(QPolygonF({QPointF(9.5, 1.5), QPointF(14.5, 1.5), QPointF(14.5, 8.5), QPointF(18, 8.5),
                             QPointF(12, 15), QPointF(6, 8.5), QPointF(9.5, 8.5)}));
}

// A green disc with a white check mark.
void drawTest(QPainter& p) {
    p.setPen(QPen(QColor(25, 100, 35), 1));
    p.setBrush(QColor(60, 165, 70));
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    QPen tick(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(tick);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(6.5, 12.5), QPointF(10.5, 16.5), QPointF(17.5, 7.5)}));
}

// A blue disc with a question mark.
void drawHelp(QPainter& p) {
    p.setPen(QPen(QColor(20, 60, 140), 1));
    p.setBrush(QColor(50, 110, 200));
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    p.setPen(Qt::white);
    QFont font = labelFont(16);
    font.setStretch(QFont::Unstretched);
    p.setFont(font);
    p.drawText(QRectF(0, 0, kGrid, kGrid), Qt::AlignCenter, QStringLiteral("?"));
}

// A globe: a disc with meridians and parallels.
void drawWeb(QPainter& p) {
    p.setPen(QPen(QColor(20, 70, 130), 1));
    p.setBrush(QColor(70, 150, 215));
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    p.setPen(QPen(QColor(225, 240, 255), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(7.5, 1.5, 9, 21));
    p.drawLine(QPointF(12, 1.5), QPointF(12, 22.5));
    p.drawLine(QPointF(1.5, 12), QPointF(22.5, 12));
    p.drawLine(QPointF(3.5, 7), QPointF(20.5, 7));
    p.drawLine(QPointF(3.5, 17), QPointF(20.5, 17));
}

// An envelope.
void drawEmail(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(250, 246, 225));
    p.drawRect(QRectF(1.5, 5.5, 21, 14));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(1.5, 5.5), QPointF(12, 13.5), QPointF(22.5, 5.5)}));
    p.drawLine(QPointF(1.5, 19.5), QPointF(9, 12));
    p.drawLine(QPointF(22.5, 19.5), QPointF(15, 12));
}

// An open door with a red arrow leaving through it.
void drawExit(QPainter& p) {
    p.setPen(QPen(QColor(80, 50, 25), 1));
    p.setBrush(QColor(120, 80, 40));
    p.drawRect(QRectF(2.5, 1.5, 12, 21));
    p.setBrush(QColor(180, 125, 65));
    p.drawPolygon(QPolygonF({QPointF(2.5, 1.5), QPointF(9.5, 4.5), QPointF(9.5, 22.5), QPointF(2.5, 22.5)}));
    p.setPen(QPen(QColor(140, 20, 20), 1));
    p.setBrush(QColor(215, 45, 40));
    p.drawPolygon(QPolygonF({QPointF(11.5, 9.5), QPointF(17.5, 9.5), QPointF(17.5, 6), QPointF(23, 12),
                             QPointF(17.5, 18), QPointF(17.5, 14.5), QPointF(11.5, 14.5)}));
}

using Drawer = void (*)(QPainter&);

struct Picture {
    const char* themeName;  // "" where no theme picture fits
    Drawer draw;
};

const std::map<std::string, Picture>& pictures() {
    static const std::map<std::string, Picture> table = {
        {"zip", {"", [](QPainter& p) { drawKind(p, QColor(40, 100, 190), QStringLiteral("ZIP")); }}},
        {"rar", {"", [](QPainter& p) { drawKind(p, QColor(135, 60, 170), QStringLiteral("RAR")); }}},
        {"arj", {"", [](QPainter& p) { drawKind(p, QColor(40, 135, 70), QStringLiteral("ARJ")); }}},
        {"ace", {"", [](QPainter& p) { drawKind(p, QColor(215, 110, 25), QStringLiteral("ACE")); }}},
        {"diz", {"", [](QPainter& p) { drawPage(p, QStringLiteral("DIZ")); }}},
        {"nfo", {"", [](QPainter& p) { drawPage(p, QStringLiteral("NFO")); }}},
        {"install", {"system-software-install", drawInstall}},
        {"test", {"", drawTest}},
        {"help", {"help-contents", drawHelp}},
        {"web", {"internet-web-browser", drawWeb}},
        {"email", {"mail-send", drawEmail}},
        {"exit", {"application-exit", drawExit}},
    };
    return table;
}

// The program's own picture drawn at the size each use asks for, in screen
// pixels: a scaled screen gets it drawn for its scale, not stretched.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(std::string key) : key_(std::move(key)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        const QString cacheKey =
            QStringLiteral("q32-toolbar-%1-%2-%3").arg(QString::fromStdString(key_)).arg(side).arg(mode);
        QPixmap picture;
        if (QPixmapCache::find(cacheKey, &picture)) return picture;
        picture = drawnToolbarPicture(key_, side);
        if (mode == QIcon::Disabled) {
            const QStyleOption option;
            picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        }
        QPixmapCache::insert(cacheKey, picture);
        return picture;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, picture);
    }
    QIconEngine* clone() const override { return new DrawnIconEngine(key_); }

private:
    std::string key_;
};

}  // namespace

QPixmap drawnToolbarPicture(const std::string& key, int size) {
    auto found = pictures().find(key);
    if (found == pictures().end() || size <= 0) return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(size / kGrid, size / kGrid);
    found->second.draw(painter);
    painter.end();
    return QPixmap::fromImage(image);
}

QIcon toolbarIcon(const std::string& key) {
    auto found = pictures().find(key);
    if (found == pictures().end()) return {};
    QIcon drawn(new DrawnIconEngine(key));
    const QString themeName = QString::fromLatin1(found->second.themeName);
    if (themeName.isEmpty()) return drawn;
    return QIcon::fromTheme(themeName, drawn);
}

}  // namespace q32
