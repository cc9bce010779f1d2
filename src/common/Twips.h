#pragma once
// Window layouts are given in twips (1440 per inch). At 96 dots per inch a pixel is
// 15 twips; every layout number goes through these helpers.

#include <QRect>
#include <cmath>

constexpr int kTwipsPerPixel = 15;
constexpr int kTwipsPerInch = 1440;

// Rounds to the nearest whole number, halves to the even neighbour.
inline long RoundHalfEven(double v)
{
    return static_cast<long>(std::nearbyint(v));  // default rounding mode: to nearest, ties to even
}

inline int TwipsToPixels(double twips) { return static_cast<int>(RoundHalfEven(twips / kTwipsPerPixel)); }
inline int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

inline QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}
