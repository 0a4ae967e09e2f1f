// The five search and replace buttons of the main window.

#include "app/frmSifta.h"

#include "app/MultiLineBox.h"
#include "busy/BusyPointer.h"
#include "busy/BusyRunner.h"
#include "live/LiveSearch.h"
#include "platform/MessageBox.h"
#include "search/LineBreaks.h"
#include "search/PatternHistory.h"
#include "search/RegExpErrorText.h"
#include "search/SearchEngine.h"
#include "textex/TextEx.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

void frmSifta::showNoMatches()
{
    mMessages.show(QStringLiteral("No matches found"));
}

void frmSifta::cmdFind_Click()
{
    if (!FindMatch(false) && !mSearchCancelled)
        showNoMatches();
}

void frmSifta::cmdFindPrev_Click()
{
    if (!FindMatch(true) && !mSearchCancelled)
        showNoMatches();
}

bool frmSifta::FindMatch(bool Backward)
{
    AddPatternToHistory();

    TextEx* document = mControls.txtDocument;
    const QString pattern = mControls.cboPattern->currentText();
    const bool ignoreCase = mControls.chkIgnoreCase->checkState() == Qt::Checked;
    applySearchOptions(mExpression, pattern, ignoreCase);
    // Compiled here, so that the copy that searches on another thread shares the compiled
    // form and the next search with the same pattern does not compile it again.
    (void)mExpression.Compile();
    const std::optional<SearchOutcome> searched = mBusy->run<SearchOutcome>(
        QStringLiteral("Searching..."),
        [expression = mExpression, pattern, ignoreCase, text = document->Text(), selStart = document->SelStart(),
         selLength = document->SelLength(), Backward](const std::atomic_bool& cancel) mutable {
            return findMatch(expression, pattern, ignoreCase, text, selStart, selLength, Backward, &cancel);
        });
    mSearchCancelled = !searched;
    if (mSearchCancelled)
        return false;
    const SearchOutcome& outcome = *searched;

    if (const auto* error = std::get_if<RegExpError>(&outcome)) {
        mMessages.show(regExpErrorText(*error));
        return false;
    }
    if (std::holds_alternative<NoMatch>(outcome)) {
        mControls.lblMatchNo->clear();
        mControls.lblSubMatches->setText(kSubMatchesLabelNoMatch);
        placeControls();
        return false;
    }

    const FoundMatch& found = std::get<FoundMatch>(outcome);
    document->setSelStart(static_cast<int>(found.firstIndex));
    document->setSelLength(static_cast<int>(found.length));
    document->setFocus();
    mControls.lblMatchNo->setText(matchLabelText(found));
    mControls.txtSubMatches->setText(found.subMatchList);
    mControls.lblSubMatches->setText(subMatchesLabelText(found));
    placeControls();
    return true;
}

void frmSifta::AddPatternToHistory()
{
    QComboBox* combo = mControls.cboPattern;
    const QString pattern = combo->currentText();
    if (pattern.isEmpty())
        return;

    QStringList history;
    for (int i = 0; i < combo->count(); ++i)
        history.append(combo->itemText(i));
    history = addPatternToHistory(history, pattern);

    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(history);
    combo->setEditText(pattern);
}

QString frmSifta::replaceWithText() const
{
    // Line breaks go into the document in the document's own convention.
    return withLineBreaks(mControls.txtReplace->text(), mControls.txtDocument->NewLineSequence());
}

void frmSifta::cmdReplace_Click()
{
    TextEx* document = mControls.txtDocument;
    if (document->SelLength() == 0 && !FindMatch(false) && mSearchCancelled)
        return;
    if (document->SelLength() < 1) {
        showNoMatches();
        return;
    }
    ReplaceSelection();
}

void frmSifta::ReplaceSelection()
{
    TextEx* document = mControls.txtDocument;
    mUndoText.remember(document->Text());
    if (document->SelLength() > 0) {
        const QString replacement = replaceWithText();
        const int length = static_cast<int>(replacement.size());
        document->setSelText(replacement);
        document->setSelStart(document->SelStart() - length);
        document->setSelLength(length);
        document->setFocus();
    }
}

void frmSifta::cmdReplaceAll_Click()
{
    AddPatternToHistory();
    const QString replacement = replaceWithText();
    applySearchOptions(mExpression, mControls.cboPattern->currentText(),
                       mControls.chkIgnoreCase->checkState() == Qt::Checked);

    TextEx* document = mControls.txtDocument;
    const QString text = document->Text();
    (void)mExpression.Compile();
    // The marks would not fit the new text; live matching rests while Replace All runs,
    // so that it neither holds its matches nor searches beside it.
    mLive->setEnabled(false);
    const std::optional<RegExpResult<QString>> result = mBusy->run<RegExpResult<QString>>(
        QStringLiteral("Replacing..."), [expression = mExpression, text, replacement](const std::atomic_bool& cancel) {
            return expression.Replace(text, replacement, &cancel);
        });
    mLive->setEnabled(HighlightMatches());
    // A cancel leaves the text and the saved text as they were.
    if (!result)
        return;
    // A Replace All that fails changes nothing, not even the text kept for Undo, so Undo
    // still takes back the replacement before it.
    if (!*result) {
        mMessages.show(regExpErrorText(result->error()));
        return;
    }
    mUndoText.remember(text);
    const BusyPointer busy(result->value().size() >= kLargeTextLength);
    document->setText(result->value());
}

void frmSifta::cmdUndo_Click()
{
    TextEx* document = mControls.txtDocument;
    if (const std::optional<QString> previous = mUndoText.swap(document->Text())) {
        const BusyPointer busy(previous->size() >= kLargeTextLength);
        document->setText(*previous);
    }
}
