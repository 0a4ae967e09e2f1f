#pragma once

#include <cmath>

/// A place and size in twips (1/1440 inch), relative to the control's container.
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

inline constexpr double kTwipsPerInch = 1440.0;

/// Twips to whole pixels at the given logical dots per inch (15 twips a pixel at 96 DPI).
inline int twipsToPixels(double twips, double dotsPerInch)
{
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

inline double pixelsToTwips(int pixels, double dotsPerInch)
{
    return pixels * kTwipsPerInch / dotsPerInch;
}
