// Tools, Debug Pattern: a window that steps through the engine's attempt from the caret or
// for the selected match. And on the pattern box: the repeats that can match the same text
// in many ways while the user types, and the engine's steps per part when a search is slow
// or the Explain Pattern window asks for them.

#include "app/frmSifta.h"

#include "debugger/LatestRun.h"
#include "debugger/PatternMarks.h"
#include "debugger/SlowPatternWatch.h"
#include "debugger/frmDebugger.h"
#include "explain/frmExplain.h"
#include "live/LiveSearch.h"
#include "searchtext/TextExSearchText.h"
#include "window/KeyPreview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

void frmSifta::connectDebugger()
{
    mPatternMarks = new PatternMarks(*mControls.cboPattern->lineEdit());
    mStepCounts = new LatestRun(mThreads, this);
    mSlowWatch = new SlowPatternWatch(this);
    connect(mControls.cboPattern, &QComboBox::editTextChanged, this, &frmSifta::updatePatternWarnings);
    connect(mControls.chkIgnoreCase, &QCheckBox::stateChanged, this, &frmSifta::updatePatternWarnings);
    connect(mLive, &LiveSearch::statusChanged, mSlowWatch, &SlowPatternWatch::setStatus);
    connect(mSlowWatch, &SlowPatternWatch::slow, this, &frmSifta::countPatternSteps);
    // A command's own search that stops at the budget shows the heat too, also with the
    // live matching off.
    mSearchCommands->setOnBudgetSpent([this] { countPatternSteps(); });
}

void frmSifta::updatePatternWarnings()
{
    // Counts of an earlier pattern are no counts of this one.
    mStepCounts->cancel();
    mPatternMarks->show(findAmbiguity(mControls.cboPattern->currentText(), ignoreCase()), std::nullopt);
}

void frmSifta::countPatternSteps()
{
    const QString pattern = mControls.cboPattern->currentText();
    const bool caseless = ignoreCase();
    using Counted = RegExpResult<StepProfile>;
    mStepCounts->start<Counted>(
        [pattern, caseless, text = mSearchText->documentText()](const std::atomic_bool& cancel) {
            return profileSteps(pattern, caseless, text, 0, {}, &cancel);
        },
        [this, pattern, caseless](const Counted& counted) {
            if (!counted)
                return;
            mPatternMarks->show(findAmbiguity(pattern, caseless), counted.value());
            if (mExplain) {
                mExplain->setPattern(pattern, caseless);
                mExplain->setStepProfile(counted.value());
            }
        });
}

void frmSifta::mnuToolsDebugPattern_Click()
{
    if (!mDebugger) {
        mDebugger = new frmDebugger(mThreads, this);
        mKeyPreview->addToolWindow(mDebugger);
    }
    const QString text = mSearchText->documentText();
    // A selection is the match to step through: the engine tries its start alone. Otherwise
    // the search starts at the caret and goes on to the end of the text.
    const qsizetype start = mSearchText->selStart();
    const qsizetype last = mSearchText->selLength() > 0 ? start : text.size();
    mDebugger->debug(mControls.cboPattern->currentText(), ignoreCase(), text, start, last);
    mDebugger->show();
    mDebugger->raise();
}
