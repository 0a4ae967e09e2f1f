#include "live/PatternStatus.h"

QString PatternStatus::toolTip() const
{
    switch (state) {
    case State::Valid:
        return QStringLiteral("%1 matches").arg(matchCount);
    case State::Invalid:
        return message;
    case State::None:
    case State::Counting:
        break;
    }
    return QString();
}
