#pragma once

#include <QColor>

/// The colour of capturing group `group` (1 and up) wherever groups are told apart by colour:
/// a few hues that differ from each other and from the match marks, strong enough to show as
/// a translucent tint on a light or a dark background; after the last hue they repeat.
QColor groupColour(int group);

/// colour laid at strength (0 to 1) over background, as a tint behind text.
QColor tintOver(const QColor& background, const QColor& colour, double strength);
