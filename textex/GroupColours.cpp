#include "textex/GroupColours.h"

#include <array>

namespace {

// Blue, green, magenta, teal, red and violet: none near the yellow and orange of the matches.
const std::array<QColor, 6> kHues{QColor(30, 110, 255), QColor(20, 160, 60),  QColor(210, 40, 180),
                                  QColor(0, 160, 170),  QColor(220, 40, 40), QColor(130, 80, 230)};

} // namespace

QColor groupColour(int group)
{
    const auto count = static_cast<int>(kHues.size());
    return kHues[static_cast<std::size_t>(((group - 1) % count + count) % count)];
}

QColor tintOver(const QColor& background, const QColor& colour, double strength)
{
    const auto mix = [strength](int under, int over) { return int(under + (over - under) * strength + 0.5); };
    return QColor(mix(background.red(), colour.red()), mix(background.green(), colour.green()),
                  mix(background.blue(), colour.blue()));
}
