// Window geometry in the program is in twips (1/1440 inch); Qt places
// widgets in pixels. One scale converts between them at a resolution, by
// default the logical resolution of the primary screen (at 96 dots an inch,
// 15 twips make a pixel).
#pragma once

#include <QRect>

#include "platform/geometry.h"

namespace q32 {

inline constexpr double kTwipsPerInch = 1440.0;

class TwipsScale {
public:
    TwipsScale(double dotsPerInchX, double dotsPerInchY);
    // The primary screen's logical resolution; 96 dots an inch without a screen.
    static TwipsScale screen();

    double dotsPerInchX() const { return dpiX_; }
    double dotsPerInchY() const { return dpiY_; }

    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;
    double toTwipsX(int pixels) const;
    double toTwipsY(int pixels) const;

    // Edges are rounded to whole pixels, so rectangles that share an edge in
    // twips share it in pixels too.
    QRect toPixels(const Rect& rect) const;
    Rect toTwips(const QRect& rect) const;

private:
    double dpiX_;
    double dpiY_;
};

}  // namespace q32
