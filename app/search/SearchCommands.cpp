#include "search/SearchCommands.h"

#include "busy/BusyResult.h"
#include "platform/MessageBox.h"
#include "search/LineBreaks.h"
#include "regex/PatternEscape.h"
#include "search/PatternHistory.h"
#include "search/RangeReplace.h"
#include "regex/RegExpErrorText.h"
#include "search/SearchEngine.h"
#include "regex/SearchSetup.h"

#include <QCoreApplication>

#include <utility>

namespace {

struct SearchTexts {
    Q_DECLARE_TR_FUNCTIONS(SearchTexts)
};

QString noRangeMessage()
{
    return SearchTexts::tr("Select the text to search in, or switch Search in Selection off in the Tools menu.");
}

QString rangeLostNote()
{
    return SearchTexts::tr("Search in Selection is off: the text it searched in is gone.");
}

} // namespace

template <typename T>
std::optional<T> SearchCommands::replaceOffThread(
    const std::function<RegExpResult<T>(const RegExp& expression, const std::atomic_bool& cancel)>& replace)
{
    // Compiled here, so that the copy that replaces on another thread shares the compiled form.
    (void)mExpression.Compile();
    mLive.setPaused(true);
    std::optional<RegExpResult<T>> result = busyResult<RegExpResult<T>>(
        mDocument, SearchTexts::tr("Replacing..."),
        [expression = mExpression, replace](const std::atomic_bool& cancel) { return replace(expression, cancel); });
    mLive.setPaused(false);
    // A cancel leaves the text and the saved text as they were.
    if (!result)
        return std::nullopt;
    // A Replace All that fails changes nothing, not even the text kept for Undo, so Undo
    // still takes back the replacement before it.
    if (!*result) {
        showError(result->error());
        return std::nullopt;
    }
    return std::move(*result).value();
}

SearchCommands::SearchCommands(ISearchWindow& window, ISearchText& document, ILiveMatches& live,
                               IMessageBox& messages)
    : mWindow(window), mDocument(document), mLive(live), mMessages(messages)
{
}

void SearchCommands::showNoMatches()
{
    mMessages.show(SearchTexts::tr("No matches found"));
}

void SearchCommands::showError(const RegExpError& error)
{
    mMessages.show(regExpErrorText(error));
    if (error.Number == RegExpError::TooMuchBacktracking && mOnBudgetSpent)
        mOnBudgetSpent();
}

void SearchCommands::FindNext()
{
    if (const SearchOutcome outcome = FindMatch(false);
        outcome == SearchOutcome::NotFound || outcome == SearchOutcome::Failed)
        showNoMatches();
}

void SearchCommands::FindPrevious()
{
    if (const SearchOutcome outcome = FindMatch(true);
        outcome == SearchOutcome::NotFound || outcome == SearchOutcome::Failed)
        showNoMatches();
}

SearchOutcome SearchCommands::FindMatch(bool Backward)
{
    AddPatternToHistory();
    const QString pattern = mWindow.patternText();
    const bool ignoreCase = mWindow.ignoreCase();
    const QString text = mDocument.documentText();
    const std::optional<TextRange> scope = searchScope(text);
    if (!scope)
        return SearchOutcome::NoRange;
    const qsizetype selStart = mDocument.selStart();
    const qsizetype selLength = mDocument.selLength();
    return selectMatch(matchesIn(text, pattern, ignoreCase), selStart, selLength, Backward, *scope);
}

SearchOutcome SearchCommands::selectMatch(const std::optional<RegExpResult<MatchCollection>>& matches,
                                          qsizetype selStart, qsizetype selLength, bool backward,
                                          const TextRange& within)
{
    return showPicked(matches, backward, [&](const MatchCollection& searched) {
        return pickMatch(searched, selStart, selLength, backward, within);
    });
}

SearchOutcome SearchCommands::showPicked(const std::optional<RegExpResult<MatchCollection>>& matches, bool backward,
                                         const std::function<std::optional<FoundMatch>(const MatchCollection&)>& pick)
{
    if (!matches)
        return SearchOutcome::Cancelled;
    if (!*matches) {
        showError(matches->error());
        return SearchOutcome::Failed;
    }
    const std::optional<FoundMatch> found = pick(matches->value());
    if (!found) {
        mWindow.showMatchLabels(QString(), subMatchesLabelNoMatchText());
        return SearchOutcome::NotFound;
    }
    showFound(*found);
    if (found->wrapped)
        mWindow.showWrapNotice(backward);
    else
        mWindow.clearWrapNotice();
    return SearchOutcome::Found;
}

void SearchCommands::showFound(const FoundMatch& found)
{
    mDocument.setSelection(found.firstIndex, found.length);
    mDocument.focusDocument();
    mWindow.setSubMatchList(found.subMatchList);
    mWindow.setSubMatchLines(found.subMatchLines);
    mWindow.showMatchLabels(matchLabelText(found), subMatchesLabelText(found));
}

SearchOutcome SearchCommands::SelectMatch(const MatchCollection& matches, qsizetype index)
{
    if (index < 0 || index >= matches.Count() || matches.Text() != mDocument.documentText())
        return SearchOutcome::NotFound;
    AddPatternToHistory();
    showFound(foundMatch(matches, index));
    mWindow.clearWrapNotice();
    return SearchOutcome::Found;
}

std::optional<RegExpResult<MatchCollection>> SearchCommands::matchesIn(const QString& text, const QString& pattern,
                                                                       bool ignoreCase)
{
    prepareSearch(mExpression, pattern, ignoreCase);
    // The live matches serve only the text they were found in; an edit whose change has not
    // reached the live matching yet leaves them behind.
    if (std::optional<MatchCollection> live = mLive.matchesFor(pattern, ignoreCase); live && live->Text() == text)
        return RegExpResult<MatchCollection>(std::move(*live));
    // Compiled here, so that the copy that searches on another thread shares the compiled
    // form and the next search with the same pattern does not compile it again.
    (void)mExpression.Compile();
    return busyResult<RegExpResult<MatchCollection>>(
        mDocument, SearchTexts::tr("Searching..."),
        [expression = mExpression, text](const std::atomic_bool& cancel) { return expression.Execute(text, &cancel); });
}

void SearchCommands::AddPatternToHistory()
{
    const QString pattern = mWindow.patternText();
    if (pattern.isEmpty())
        return;
    mWindow.setPatternHistory(addPatternToHistory(mWindow.patternHistory(), pattern));
}

QString SearchCommands::replacementText() const
{
    return withLineBreaks(mWindow.replaceWithText(), mDocument.newLineSequence());
}

void SearchCommands::setCaseConversion(CaseConversion caseConversion)
{
    mExpression.setCaseConversion(caseConversion);
}

void SearchCommands::Replace()
{
    if (mDocument.selLength() == 0) {
        if (const SearchOutcome outcome = FindMatch(false);
            outcome == SearchOutcome::Cancelled || outcome == SearchOutcome::NoRange)
            return;
    }
    if (mDocument.selLength() < 1) {
        showNoMatches();
        return;
    }
    ReplaceSelection();
}

void SearchCommands::ReplaceSelection()
{
    const QString text = mDocument.documentText();
    const std::optional<TextRange> range = rangeToRestore();
    const bool selected = mDocument.selLength() > 0;
    const QString replacement = replacementText();
    // A replacement the Search Text cannot hold changes nothing, not even the text kept
    // for Undo.
    if (selected && !mDocument.replaceSelection(replacement))
        return;
    rememberForUndo(text, range);
    if (selected) {
        mDocument.setSelection(mDocument.selStart() - replacement.size(), replacement.size());
        mDocument.focusDocument();
    }
}

void SearchCommands::ReplaceAll()
{
    AddPatternToHistory();
    const QString replacement = replacementText();
    prepareSearch(mExpression, mWindow.patternText(), mWindow.ignoreCase());
    if (mWindow.searchInSelection()) {
        const QString text = mDocument.documentText();
        if (const std::optional<TextRange> range = searchScope(text))
            replaceAllWithin(text, *range, replacement);
        return;
    }
    // The result comes in UTF-8, the form the Search Text takes it in, and the text it
    // replaces goes back in UTF-8 too, once nothing here holds it in UTF-16 any more: a large
    // text is never held twice in UTF-16.
    std::optional<QByteArray> result = replaceOffThread<QByteArray>(
        [text = mDocument.documentText(), replacement](const RegExp& expression, const std::atomic_bool& cancel) {
            return expression.ReplaceToUtf8(text, replacement, &cancel);
        });
    if (!result)
        return;
    const std::optional<TextRange> range = rangeToRestore();
    std::optional<QByteArray> replaced = swapText(*result);
    result.reset();
    // A result the Search Text cannot hold changes nothing, not even the text kept for Undo.
    if (replaced)
        rememberForUndo(std::move(*replaced), range);
}

void SearchCommands::replaceAllWithin(const QString& text, const TextRange& range, const QString& replacement)
{
    std::optional<MatchCollection> live = mLive.matchesFor(mExpression.Pattern(), mExpression.IgnoreCase());
    if (live && live->Text() != text)
        live.reset();
    const std::optional<RangeReplacement> result = replaceOffThread<RangeReplacement>(
        [text, live, range, replacement](const RegExp& expression,
                                        const std::atomic_bool& cancel) -> RegExpResult<RangeReplacement> {
            const RegExpResult<MatchCollection> matches =
                live ? RegExpResult<MatchCollection>(*live) : expression.Execute(text, &cancel);
            if (!matches)
                return matches.error();
            return replaceWithin(matches.value(), range, replacement, expression.caseConversion(),
                                 expression.maxResultLength(), &cancel);
        });
    if (!result)
        return;
    const std::optional<TextRange> restore = rangeToRestore();
    if (!writeText(result->text))
        return;
    rememberForUndo(text, restore);
    markRange({range.start, result->rangeLength});
}

void SearchCommands::Undo()
{
    std::optional<QByteArray> previous = mUndoText.take();
    if (!previous)
        return;
    const std::optional<TextRange> current = mDocument.searchRange();
    std::optional<QByteArray> replaced = swapText(*previous);
    // A kept text that the Search Text cannot hold stays kept.
    if (!replaced) {
        mUndoText.remember(std::move(*previous));
        return;
    }
    previous.reset();
    mUndoText.remember(std::move(*replaced));
    const std::optional<TextRange> restored = std::exchange(mUndoRange, current);
    if (!mRangeMarked)
        return;
    if (restored)
        markRange(*restored);
    else
        switchSearchInSelectionOff(rangeLostNote());
}

std::optional<TextRange> SearchCommands::rangeToRestore() const
{
    return mRangeMarked ? mDocument.searchRange() : std::nullopt;
}

// A lone surrogate, which UTF-8 cannot hold, is kept as "?", as the Search Text keeps it.
void SearchCommands::rememberForUndo(const QString& text, const std::optional<TextRange>& range)
{
    rememberForUndo(text.toUtf8(), range);
}

void SearchCommands::rememberForUndo(QByteArray utf8, const std::optional<TextRange>& range)
{
    mUndoText.remember(std::move(utf8));
    mUndoRange = range;
}

bool SearchCommands::writeText(const QString& text)
{
    mWritingText = true;
    const bool written = mDocument.setDocumentText(text);
    mWritingText = false;
    return written;
}

std::optional<QByteArray> SearchCommands::swapText(const QByteArray& utf8)
{
    // The live matches hold the text in UTF-16; they go first, so that the old text is not
    // held in UTF-16 beside its copy in UTF-8.
    mLive.setPaused(true);
    mWritingText = true;
    std::optional<QByteArray> replaced = mDocument.swapDocumentUtf8(utf8);
    mWritingText = false;
    mLive.setPaused(false);
    return replaced;
}

std::optional<TextRange> SearchCommands::searchScope(const QString& text)
{
    if (!mWindow.searchInSelection())
        return TextRange{0, text.size()};
    if (std::optional<TextRange> range = mDocument.searchRange())
        return range;
    if (mDocument.selLength() <= 0) {
        mMessages.show(noRangeMessage());
        return std::nullopt;
    }
    const TextRange selection{mDocument.selStart(), mDocument.selLength()};
    markRange(selection);
    return selection;
}

void SearchCommands::markRange(const TextRange& range)
{
    if (range.length <= 0) {
        switchSearchInSelectionOff(
            SearchTexts::tr("Search in Selection is off: nothing is left of the text it searched in."));
        return;
    }
    mDocument.setSearchRange(range);
    mRangeMarked = true;
}

void SearchCommands::switchSearchInSelectionOff(const QString& sNote)
{
    mDocument.setSearchRange(std::nullopt);
    mWindow.setSearchInSelection(false);
    mRangeMarked = false;
    if (!sNote.isEmpty())
        mWindow.showNote(sNote);
}

void SearchCommands::SearchInSelection()
{
    if (mWindow.searchInSelection()) {
        switchSearchInSelectionOff();
        return;
    }
    mWindow.setSearchInSelection(true);
    if (mDocument.selLength() > 0)
        markRange({mDocument.selStart(), mDocument.selLength()});
    else
        mWindow.showNote(SearchTexts::tr("Search in Selection: the next search works in the text selected then."));
}

void SearchCommands::textChanged()
{
    if (mWritingText || !mRangeMarked || mDocument.searchRange())
        return;
    switchSearchInSelectionOff(rangeLostNote());
}

void SearchCommands::ReplaceAndFindNext()
{
    AddPatternToHistory();
    const QString pattern = mWindow.patternText();
    const bool ignoreCase = mWindow.ignoreCase();
    const QString text = mDocument.documentText();
    const std::optional<TextRange> scope = searchScope(text);
    if (!scope)
        return;
    const qsizetype selStart = mDocument.selStart();
    const qsizetype selLength = mDocument.selLength();
    std::optional<RegExpResult<MatchCollection>> matches = matchesIn(text, pattern, ignoreCase);
    std::optional<qsizetype> nextStart;
    if (matches && *matches) {
        if (const std::optional<qsizetype> index = matchAtSelection(matches->value(), selStart, selLength, *scope)) {
            const QString replacement = expandedReplacement(matches->value(), *index, replacementText(),
                                                                mExpression.caseConversion());
            const std::optional<TextRange> range = rangeToRestore();
            if (!mDocument.replaceSelection(replacement))
                return;
            rememberForUndo(text, range);
            // Replace All goes on after the replaced text, one code unit later after an empty
            // match so that the same empty match is not found again.
            nextStart = selStart + replacement.size() + (selLength == 0 ? 1 : 0);
            matches = matchesIn(mDocument.documentText(), pattern, ignoreCase);
        }
    }
    // The replacement moved the end of the range of Search in Selection.
    const TextRange within = mWindow.searchInSelection() ? mDocument.searchRange().value_or(*scope)
                                                         : TextRange{0, mDocument.documentText().size()};
    const SearchOutcome outcome =
        nextStart ? showPicked(matches, false,
                               [&](const MatchCollection& searched) { return pickMatchFrom(searched, *nextStart, within); })
                  : selectMatch(matches, selStart, selLength, false, within);
    if (outcome == SearchOutcome::NotFound || outcome == SearchOutcome::Failed)
        showNoMatches();
}

void SearchCommands::UseSelectionAsPattern()
{
    const qsizetype length = mDocument.selLength();
    if (length > 0)
        mWindow.setPatternText(escapedPattern(QStringView(mDocument.documentText()).mid(mDocument.selStart(), length)));
}

void SearchCommands::PreviewReplaceAll()
{
    const QString text = mDocument.documentText();
    const std::optional<TextRange> scope = searchScope(text);
    if (!scope)
        return;
    const std::optional<RegExpResult<MatchCollection>> matches =
        matchesIn(text, mWindow.patternText(), mWindow.ignoreCase());
    if (!matches)
        return;
    if (!*matches) {
        showError(matches->error());
        return;
    }
    mWindow.showReplacePreview(ReplacePreview(matches->value(), replacementText(), mExpression.caseConversion(), *scope));
}
