#include "debugger/SlowPatternWatch.h"

#include "regex/RegExpError.h"
#include "regex/RegExpErrorText.h"

SlowPatternWatch::SlowPatternWatch(QObject* parent) : QObject(parent)
{
    mMoment.setSingleShot(true);
    mMoment.setInterval(kMomentMsec);
    connect(&mMoment, &QTimer::timeout, this, &SlowPatternWatch::slow);
}

void SlowPatternWatch::setStatus(const PatternStatus& status)
{
    if (status.state == PatternStatus::State::Counting) {
        mMoment.start();
        return;
    }
    mMoment.stop();
    if (status.state == PatternStatus::State::Invalid
        && status.message == regExpErrorText(RegExpError::make(RegExpError::TooMuchBacktracking)))
        emit slow();
}
