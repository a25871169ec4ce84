// The program's own pictures and lettering: the quill of its mark (status
// panel 1, the splash window, the window icon) and the decorative typeface
// of the word "Tobrek".
#pragma once

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace q32 {

// A quill pen drawn to fill `area` (a square works best).
void drawQuill(QPainter& painter, const QRectF& area);

// The program's icon: the quill on a round parchment seal, filling `area`.
void drawProgramIcon(QPainter& painter, const QRectF& area);

// The program's icon at one size, on a transparent ground.
QImage programIconImage(int size);

// The program's icon as a window icon.
QIcon quillIcon();

// A calligraphic face where one is installed, else a bold italic serif.
QFont decorativeFont(int pixelSize);

}  // namespace q32
