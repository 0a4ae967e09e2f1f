// Live matching in the main window: the matches of the pattern marked in the Search Text
// while the user types, and the pattern box telling whether its pattern is valid.

#include "app/frmSifta.h"

#include "window/MultiLineBox.h"

#include "busy/BusyRunner.h"
#include "live/LiveSearch.h"
#include "live/MatchHighlighter.h"
#include "live/PatternFeedback.h"
#include "matches/frmMatches.h"
#include "textex/GroupColours.h"
#include "textex/TextEx.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>

void frmSifta::connectLive()
{
    TextEx* document = mControls.txtDocument;
    // Searches run on threads of their own: Qt paints with the help of its global pool,
    // which a long search must never hold up, and a search that is no longer wanted must
    // hold up neither the next one nor the window.
    mLive = new LiveSearch([document] { return document->textReader(); }, mThreads, this);
    mLive->setObjectName(QStringLiteral("liveSearch"));
    mHighlighter = new MatchHighlighter(*document);
    mPatternFeedback = new PatternFeedback(*mControls.cboPattern);
    mBusy = new BusyRunner(*this, mThreads);

    connect(mLive, &LiveSearch::matchesChanged, this, [this](const MatchCollection& matches) {
        mHighlighter->setMatches(HighlightMatches() ? matches : MatchCollection());
        if (MatchesWindow())
            mMatchesWindow->setMatches(matches);
        showMatchCount();
    });
    connect(mLive, &LiveSearch::statusChanged, mPatternFeedback, &PatternFeedback::show);
    connect(mLive, &LiveSearch::statusChanged, this, &frmSifta::showLiveStatus);
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
    mMenu.mnuFormatHighlightMatches->setChecked(bValue);
    applyLiveEnabled();
    mHighlighter->setMatches(bValue ? mLive->matches() : MatchCollection());
}

void frmSifta::applyLiveEnabled()
{
    mLive->setEnabled(HighlightMatches() || MatchesWindow());
}

void frmSifta::mnuFormatHighlightMatches_Click()
{
    setHighlightMatches(!HighlightMatches());
}

bool frmSifta::GroupColours() const
{
    return mMenu.mnuFormatGroupColours->isChecked();
}

void frmSifta::setGroupColours(bool bValue)
{
    mMenu.mnuFormatGroupColours->setChecked(bValue);
    applyGroupColours();
}

bool frmSifta::GroupColoursEveryMatch() const
{
    return mMenu.mnuFormatGroupColoursEveryMatch->isChecked();
}

void frmSifta::setGroupColoursEveryMatch(bool bValue)
{
    mMenu.mnuFormatGroupColoursEveryMatch->setChecked(bValue);
    applyGroupColours();
}

void frmSifta::mnuFormatGroupColours_Click()
{
    setGroupColours(!GroupColours());
}

void frmSifta::mnuFormatGroupColoursEveryMatch_Click()
{
    setGroupColoursEveryMatch(!GroupColoursEveryMatch());
}

void frmSifta::setSubMatchLines(const std::vector<int>& lines)
{
    mSubMatchLines = lines;
    applyGroupColours();
}

void frmSifta::applyGroupColours()
{
    using Colours = MatchHighlighter::GroupColours;
    const bool on = GroupColours();
    mHighlighter->setGroupColours(!on ? Colours::Off : GroupColoursEveryMatch() ? Colours::EveryMatch
                                                                              : Colours::SelectedMatch);
    QList<QColor> lineColours;
    for (std::size_t j = 0; on && j < mSubMatchLines.size(); ++j)
        lineColours.append(QList<QColor>(mSubMatchLines[j], groupColour(int(j) + 1)));
    mControls.txtSubMatches->setLineColours(lineColours);
}
