#pragma once

#include "live/PatternStatus.h"

#include <QObject>
#include <QTimer>

/// Tells when the live search finds the pattern slow: when it stops at the backtracking
/// budget, or when its count is still under way a moment after it started.
class SlowPatternWatch : public QObject {
    Q_OBJECT
public:
    /// How long a count may take before the pattern counts as slow, in milliseconds.
    static constexpr int kMomentMsec = 1000;

    explicit SlowPatternWatch(QObject* parent = nullptr);
    void setMoment(int msec) { mMoment.setInterval(msec); }

    /// The live search's status changed.
    void setStatus(const PatternStatus& status);

signals:
    /// The pattern is slow on the text; once for each count.
    void slow();

private:
    QTimer mMoment;
};
