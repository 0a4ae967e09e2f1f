// Live matching in the main window: the matches of the pattern marked in the Search Text
// while the user types, and the pattern box telling whether its pattern is valid.

#include "app/frmSifta.h"

#include "busy/BusyRunner.h"
#include "live/LiveSearch.h"
#include "live/MatchHighlighter.h"
#include "live/PatternFeedback.h"
#include "textex/TextEx.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QThreadPool>

void frmSifta::connectLive()
{
    TextEx* document = mControls.txtDocument;
    // Searches run on pools of their own, one thread each: Qt paints with the help of its
    // global pool, which a long search must never hold up. Each pool belongs to the object
    // that runs on it, which stops its run before the pool waits for it.
    auto* livePool = new QThreadPool;
    livePool->setMaxThreadCount(1);
    mLive = new LiveSearch([document] { return document->textReader(); }, *livePool, this);
    livePool->setParent(mLive);
    mLive->setObjectName(QStringLiteral("liveSearch"));
    mHighlighter = new MatchHighlighter(*document);
    mPatternFeedback = new PatternFeedback(*mControls.cboPattern);
    auto* busyPool = new QThreadPool;
    busyPool->setMaxThreadCount(1);
    mBusy = new BusyRunner(*this, *busyPool);
    busyPool->setParent(mBusy);

    connect(mLive, &LiveSearch::matchesChanged, mHighlighter, &MatchHighlighter::setMatches);
    connect(mLive, &LiveSearch::statusChanged, mPatternFeedback, &PatternFeedback::show);
    connect(mControls.cboPattern, &QComboBox::editTextChanged, this, &frmSifta::updateLiveSearch);
    connect(mControls.chkIgnoreCase, &QCheckBox::stateChanged, this, &frmSifta::updateLiveSearch);
    connect(document, &TextEx::Change, mLive, &LiveSearch::textChanged);
}

void frmSifta::updateLiveSearch()
{
    mLive->setPattern(mControls.cboPattern->currentText());
    mLive->setIgnoreCase(mControls.chkIgnoreCase->checkState() == Qt::Checked);
}

bool frmSifta::HighlightMatches() const
{
    return mMenu.mnuFormatHighlightMatches->isChecked();
}

void frmSifta::setHighlightMatches(bool bValue)
{
    // The pattern box may have been filled with its signals blocked (at start-up).
    updateLiveSearch();
    mLive->setEnabled(bValue);
    mMenu.mnuFormatHighlightMatches->setChecked(bValue);
}

void frmSifta::mnuFormatHighlightMatches_Click()
{
    setHighlightMatches(!HighlightMatches());
}
