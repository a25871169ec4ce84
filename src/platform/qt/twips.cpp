#include "platform/qt/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace q32 {

namespace {

constexpr double kFallbackDotsPerInch = 96.0;

int roundToPixels(double twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

}  // namespace

TwipsScale::TwipsScale(double dotsPerInchX, double dotsPerInchY)
    : dpiX_(dotsPerInchX > 0 ? dotsPerInchX : kFallbackDotsPerInch),
      dpiY_(dotsPerInchY > 0 ? dotsPerInchY : kFallbackDotsPerInch) {}

TwipsScale TwipsScale::screen() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return {kFallbackDotsPerInch, kFallbackDotsPerInch};
    return {primary->logicalDotsPerInchX(), primary->logicalDotsPerInchY()};
}

int TwipsScale::toPixelsX(double twips) const { return roundToPixels(twips, dpiX_); }
int TwipsScale::toPixelsY(double twips) const { return roundToPixels(twips, dpiY_); }
double TwipsScale::toTwipsX(int pixels) const { return pixels * kTwipsPerInch / dpiX_; }
double TwipsScale::toTwipsY(int pixels) const { return pixels * kTwipsPerInch / dpiY_; }

QRect TwipsScale::toPixels(const Rect& rect) const {
    const int left = toPixelsX(rect.left);
    const int top = toPixelsY(rect.top);
    const int right = toPixelsX(rect.left + rect.width);
    const int bottom = toPixelsY(rect.top + rect.height);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

Rect TwipsScale::toTwips(const QRect& rect) const {
    return {toTwipsX(rect.x()), toTwipsY(rect.y()), toTwipsX(rect.width()), toTwipsY(rect.height())};
}

}  // namespace q32
