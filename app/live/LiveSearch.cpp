#include "live/LiveSearch.h"

#include "regex/RegExpErrorText.h"
#include "regex/SearchSetup.h"

#include <utility>

namespace {

constexpr int kDefaultPauseMsec = 300;

PatternStatus invalid(const RegExpError& error)
{
    return {PatternStatus::State::Invalid, 0, regExpErrorText(error)};
}

} // namespace

LiveSearch::LiveSearch(std::function<TextReader()> snapshot, IWorkThreads& threads, QObject* parent)
    : QObject(parent), mSnapshot(std::move(snapshot)), mRunner(threads)
{
    mPause.setSingleShot(true);
    mPause.setInterval(kDefaultPauseMsec);
    connect(&mPause, &QTimer::timeout, this, &LiveSearch::refresh);
    connect(&mRunner, &MatchRunner::finished, this, [this](quint64, const MatchCollection& matches) {
        showMatches(matches, mRunSearch);
        showStatus({PatternStatus::State::Valid, matches.Count(), QString()});
    });
    connect(&mRunner, &MatchRunner::failed, this, [this](quint64, const RegExpError& error) {
        showMatches(MatchCollection());
        showStatus(invalid(error));
    });
}

void LiveSearch::setEnabled(bool bValue)
{
    mWanted = bValue;
    applyEnabled();
}

void LiveSearch::setPaused(bool bPaused)
{
    mPaused = bPaused;
    applyEnabled();
}

void LiveSearch::applyEnabled()
{
    const bool enabled = mWanted && !mPaused;
    if (mEnabled == enabled)
        return;
    mEnabled = enabled;
    if (!mEnabled) {
        mRunner.cancel();
        showMatches(MatchCollection());
        if (mStatus.state == PatternStatus::State::Valid || mStatus.state == PatternStatus::State::Counting)
            showStatus(PatternStatus());
    } else if (mStatus.state != PatternStatus::State::Invalid) {
        awaitCount();
    }
    schedule();
}

void LiveSearch::setHeld(bool bHeld)
{
    mHeld = bHeld;
    if (!mHeld && std::exchange(mRunDeferred, false))
        refresh();
}

void LiveSearch::setPattern(const QString& sPattern)
{
    if (sPattern == mPattern)
        return;
    mPattern = sPattern;
    awaitCount();
    schedule();
}

void LiveSearch::setIgnoreCase(bool bValue)
{
    if (bValue == mIgnoreCase)
        return;
    mIgnoreCase = bValue;
    awaitCount();
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

void LiveSearch::awaitCount()
{
    showStatus(mPattern.isEmpty() || !mEnabled ? PatternStatus() : PatternStatus{PatternStatus::State::Counting, 0, {}});
}

void LiveSearch::refresh()
{
    mRunner.cancel();
    if (mPattern.isEmpty()) {
        showMatches(MatchCollection());
        showStatus(PatternStatus());
        return;
    }
    prepareSearch(mExpression, mPattern, mIgnoreCase);
    if (const std::optional<RegExpError> error = mExpression.Compile()) {
        showMatches(MatchCollection());
        showStatus(invalid(*error));
        return;
    }
    if (!mEnabled) {
        showStatus(PatternStatus());
        return;
    }
    if (mHeld) {
        mRunDeferred = true;
        return;
    }
    mRunSearch = {mPattern, mIgnoreCase};
    mRunner.start(mExpression, mSnapshot());
}

std::optional<MatchCollection> LiveSearch::matchesFor(const QString& pattern, bool ignoreCase) const
{
    if (!mShownSearch || mShownSearch->pattern != pattern || mShownSearch->ignoreCase != ignoreCase)
        return std::nullopt;
    return mMatches;
}

void LiveSearch::showMatches(const MatchCollection& matches, const std::optional<Search>& search)
{
    const bool shown = mMatches.Count() > 0 || matches.Count() > 0;
    // Assigned also when both are empty: a collection keeps its searched text alive.
    mMatches = matches;
    mShownSearch = search;
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
