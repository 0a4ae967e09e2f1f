#include "live/LiveSearch.h"

#include "search/RegExpErrorText.h"

namespace {

constexpr int kDefaultPauseMsec = 300;

PatternStatus invalid(const RegExpError& error)
{
    return {PatternStatus::State::Invalid, 0, regExpErrorText(error)};
}

} // namespace

LiveSearch::LiveSearch(std::function<TextReader()> snapshot, QThreadPool& pool, QObject* parent)
    : QObject(parent), mSnapshot(std::move(snapshot)), mRunner(pool)
{
    mExpression.setGlobal(true);
    mExpression.setMultiline(true);
    mPause.setSingleShot(true);
    mPause.setInterval(kDefaultPauseMsec);
    connect(&mPause, &QTimer::timeout, this, &LiveSearch::refresh);
    connect(&mRunner, &MatchRunner::finished, this, [this](quint64, const MatchCollection& matches) {
        showMatches(matches);
        showStatus({PatternStatus::State::Valid, matches.Count(), QString()});
    });
    connect(&mRunner, &MatchRunner::failed, this, [this](quint64, const RegExpError& error) {
        showMatches(MatchCollection());
        showStatus(invalid(error));
    });
}

void LiveSearch::setEnabled(bool bValue)
{
    if (mEnabled == bValue)
        return;
    mEnabled = bValue;
    if (!mEnabled) {
        mRunner.cancel();
        showMatches(MatchCollection());
        if (mStatus.state == PatternStatus::State::Valid)
            showStatus(PatternStatus());
    }
    schedule();
}

void LiveSearch::setPattern(const QString& sPattern)
{
    if (sPattern == mPattern)
        return;
    mPattern = sPattern;
    schedule();
}

void LiveSearch::setIgnoreCase(bool bValue)
{
    if (bValue == mIgnoreCase)
        return;
    mIgnoreCase = bValue;
    schedule();
}

void LiveSearch::textChanged()
{
    mRunner.cancel();
    showMatches(MatchCollection());
    schedule();
}

void LiveSearch::runPending()
{
    if (!mPause.isActive())
        return;
    mPause.stop();
    refresh();
}

void LiveSearch::schedule()
{
    mPause.start();
}

void LiveSearch::refresh()
{
    mRunner.cancel();
    if (mPattern.isEmpty()) {
        showMatches(MatchCollection());
        showStatus(PatternStatus());
        return;
    }
    mExpression.setPattern(mPattern);
    mExpression.setIgnoreCase(mIgnoreCase);
    if (const std::optional<RegExpError> error = mExpression.Compile()) {
        showMatches(MatchCollection());
        showStatus(invalid(*error));
        return;
    }
    if (!mEnabled) {
        showStatus(PatternStatus());
        return;
    }
    mRunner.start(mExpression, mSnapshot());
}

void LiveSearch::showMatches(const MatchCollection& matches)
{
    const bool shown = mMatches.Count() > 0 || matches.Count() > 0;
    // Assigned also when both are empty: a collection keeps its searched text alive.
    mMatches = matches;
    if (shown)
        emit matchesChanged(mMatches);
}

void LiveSearch::showStatus(const PatternStatus& status)
{
    if (status == mStatus)
        return;
    mStatus = status;
    emit statusChanged(mStatus);
}
