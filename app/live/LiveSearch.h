#pragma once

#include "live/MatchRunner.h"
#include "live/PatternStatus.h"
#include "regex/MatchCollection.h"
#include "regex/RegExp.h"
#include "search/LiveMatches.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

class IWorkThreads;

/// Keeps the matches of the pattern in the text up to date while the user types: a short
/// pause after the last change of the pattern, the case option or the text, the pattern is
/// compiled and run over a snapshot of the text off the user-interface thread. A run that a
/// newer change supersedes is cancelled and never lands, and the newer run does not wait for
/// it to stop. An edit of the text drops the shown matches at
/// once, since their positions no longer fit it.
///
/// A change of the pattern or the case option withdraws the count or error of the one before
/// at once: the status says the count is under way until the run lands.
///
/// Switched off, nothing runs and no matches are shown; a pattern that does not compile is
/// still reported, which costs no search.
class LiveSearch : public QObject, public ILiveMatches {
    Q_OBJECT
    Q_PROPERTY(bool busy READ isBusy)
public:
    /// snapshot takes the current text, as a reader that the run calls on its own thread;
    /// it is called only when a run starts. Runs go to threads, which must outlive this object.
    LiveSearch(std::function<TextReader()> snapshot, IWorkThreads& threads, QObject* parent = nullptr);

    /// The pause after the last change before a run starts, in milliseconds.
    void setPause(int msec) { mPause.setInterval(msec); }

    /// Runs only while enabled and not paused.
    bool isEnabled() const { return mEnabled; }
    void setEnabled(bool bValue);
    void setPaused(bool bPaused) override;

    void setPattern(const QString& sPattern);
    void setIgnoreCase(bool bValue);
    /// The text changed: the matches shown so far are dropped.
    void textChanged();

    /// True while a change waits for its pause to end.
    bool isPending() const { return mPause.isActive(); }
    /// True while a change waits for its pause or a run has not landed yet.
    bool isBusy() const { return isPending() || mRunDeferred || mRunner.isRunning(); }
    /// While held, no run starts: a run that falls due waits for the hold to end, and the
    /// matches shown stay. The window holds it while its own work searches the whole text,
    /// so that the two searches do not each collect every match at the same time.
    void setHeld(bool bHeld);
    /// Starts what waits for the pause at once.
    Q_INVOKABLE void runPending();

    /// The matches of the last run that landed; empty while none applies to the text.
    const MatchCollection& matches() const { return mMatches; }
    /// The matches of the last run that landed when that run searched pattern with this
    /// case option and the text has not changed since; nothing otherwise.
    std::optional<MatchCollection> matchesFor(const QString& pattern, bool ignoreCase) const override;
    const PatternStatus& status() const { return mStatus; }

signals:
    /// New matches landed, or the shown ones were dropped (then matches is empty).
    void matchesChanged(const MatchCollection& matches);
    void statusChanged(const PatternStatus& status);

private:
    /// What a run searched for.
    struct Search {
        QString pattern;
        bool ignoreCase = false;
    };

    /// Switches the runs on or off as the enabled and paused flags say.
    void applyEnabled();
    void schedule();
    /// Withdraws the status of what was searched before: Counting, or None when nothing will be counted.
    void awaitCount();
    void refresh();
    /// Shows matches, the result of a run that searched for search, or no matches at all.
    void showMatches(const MatchCollection& matches, const std::optional<Search>& search = std::nullopt);
    void showStatus(const PatternStatus& status);

    std::function<TextReader()> mSnapshot;
    QTimer mPause;
    MatchRunner mRunner;
    RegExp mExpression;
    QString mPattern;
    bool mIgnoreCase = false;
    bool mEnabled = true;
    bool mWanted = true;
    bool mPaused = false;
    bool mHeld = false;
    /// A run fell due while held.
    bool mRunDeferred = false;
    MatchCollection mMatches;
    /// What the shown matches are the matches of; nothing while none are shown.
    std::optional<Search> mShownSearch;
    /// What the run in flight searches for.
    Search mRunSearch;
    PatternStatus mStatus;
};
