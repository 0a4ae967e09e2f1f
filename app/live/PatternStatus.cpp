#include "live/PatternStatus.h"

#include "window/StatusLine.h"

QString PatternStatus::toolTip() const
{
    switch (state) {
    case State::Valid:
        return matchCountText(matchCount, QLocale::c());
    case State::Invalid:
        return message;
    case State::None:
    case State::Counting:
        break;
    }
    return QString();
}
