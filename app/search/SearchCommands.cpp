#include "search/SearchCommands.h"

#include "platform/MessageBox.h"
#include "search/LineBreaks.h"
#include "search/PatternEscape.h"
#include "search/PatternHistory.h"
#include "search/RegExpErrorText.h"
#include "search/SearchEngine.h"
#include "search/SearchSetup.h"

SearchCommands::SearchCommands(ISearchWindow& window, IMessageBox& messages)
    : mWindow(window), mMessages(messages)
{
}

void SearchCommands::showNoMatches()
{
    mMessages.show(QStringLiteral("No matches found"));
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
    const qsizetype selStart = mWindow.selStart();
    const qsizetype selLength = mWindow.selLength();
    return selectMatch(matchesIn(mWindow.documentText(), pattern, ignoreCase), selStart, selLength, Backward);
}

SearchOutcome SearchCommands::selectMatch(const std::optional<RegExpResult<MatchCollection>>& matches,
                                          qsizetype selStart, qsizetype selLength, bool backward)
{
    if (!matches)
        return SearchOutcome::Cancelled;
    if (!*matches) {
        mMessages.show(regExpErrorText(matches->error()));
        return SearchOutcome::Failed;
    }
    const std::optional<FoundMatch> found = pickMatch(matches->value(), selStart, selLength, backward);
    if (!found) {
        mWindow.showMatchLabels(QString(), kSubMatchesLabelNoMatch);
        return SearchOutcome::NotFound;
    }
    mWindow.setSelection(found->firstIndex, found->length);
    mWindow.focusDocument();
    mWindow.setSubMatchList(found->subMatchList);
    mWindow.showMatchLabels(matchLabelText(*found), subMatchesLabelText(*found));
    return SearchOutcome::Found;
}

std::optional<RegExpResult<MatchCollection>> SearchCommands::matchesIn(const QString& text, const QString& pattern,
                                                                       bool ignoreCase)
{
    prepareSearch(mExpression, pattern, ignoreCase);
    // The live matches serve only the text they were found in; an edit whose change has not
    // reached the live matching yet leaves them behind.
    if (std::optional<MatchCollection> live = mWindow.liveMatches(pattern, ignoreCase); live && live->Text() == text)
        return RegExpResult<MatchCollection>(std::move(*live));
    // Compiled here, so that the copy that searches on another thread shares the compiled
    // form and the next search with the same pattern does not compile it again.
    (void)mExpression.Compile();
    std::optional<RegExpResult<MatchCollection>> matches;
    const bool finished = mWindow.runBusy(QStringLiteral("Searching..."),
                                          [&matches, expression = mExpression, text](const std::atomic_bool& cancel) {
                                              matches = expression.Execute(text, &cancel);
                                          });
    if (!finished)
        return std::nullopt;
    return matches;
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
    return withLineBreaks(mWindow.replaceWithText(), mWindow.newLineSequence());
}

void SearchCommands::Replace()
{
    if (mWindow.selLength() == 0 && FindMatch(false) == SearchOutcome::Cancelled)
        return;
    if (mWindow.selLength() < 1) {
        showNoMatches();
        return;
    }
    ReplaceSelection();
}

void SearchCommands::ReplaceSelection()
{
    mUndoText.remember(mWindow.documentText());
    if (mWindow.selLength() > 0) {
        const QString replacement = replacementText();
        mWindow.replaceSelection(replacement);
        mWindow.setSelection(mWindow.selStart() - replacement.size(), replacement.size());
        mWindow.focusDocument();
    }
}

void SearchCommands::ReplaceAll()
{
    AddPatternToHistory();
    const QString replacement = replacementText();
    prepareSearch(mExpression, mWindow.patternText(), mWindow.ignoreCase());
    const QString text = mWindow.documentText();
    (void)mExpression.Compile();
    mWindow.pauseLiveSearch(true);
    std::optional<RegExpResult<QString>> result;
    const bool finished = mWindow.runBusy(
        QStringLiteral("Replacing..."),
        [&result, expression = mExpression, text, replacement](const std::atomic_bool& cancel) {
            result = expression.Replace(text, replacement, &cancel);
        });
    mWindow.pauseLiveSearch(false);
    // A cancel leaves the text and the saved text as they were.
    if (!finished)
        return;
    // A Replace All that fails changes nothing, not even the text kept for Undo, so Undo
    // still takes back the replacement before it.
    if (!*result) {
        mMessages.show(regExpErrorText(result->error()));
        return;
    }
    mUndoText.remember(text);
    mWindow.setDocumentText(result->value());
}

void SearchCommands::Undo()
{
    if (const std::optional<QString> previous = mUndoText.swap(mWindow.documentText()))
        mWindow.setDocumentText(*previous);
}

void SearchCommands::ReplaceAndFindNext()
{
    AddPatternToHistory();
    const QString pattern = mWindow.patternText();
    const bool ignoreCase = mWindow.ignoreCase();
    const QString text = mWindow.documentText();
    qsizetype selStart = mWindow.selStart();
    qsizetype selLength = mWindow.selLength();
    std::optional<RegExpResult<MatchCollection>> matches = matchesIn(text, pattern, ignoreCase);
    if (matches && *matches) {
        if (const std::optional<qsizetype> index = matchAtSelection(matches->value(), selStart, selLength)) {
            const QString replacement = expandedReplacement(matches->value(), *index, replacementText());
            mUndoText.remember(text);
            mWindow.replaceSelection(replacement);
            // The next search starts after the replacement, and one code unit later when an
            // empty match became nothing, so that the same empty match is not found again.
            selStart += replacement.size();
            selLength = selLength == 0 && replacement.isEmpty() ? 1 : 0;
            matches = matchesIn(mWindow.documentText(), pattern, ignoreCase);
        }
    }
    const SearchOutcome outcome = selectMatch(matches, selStart, selLength, false);
    if (outcome == SearchOutcome::NotFound || outcome == SearchOutcome::Failed)
        showNoMatches();
}

void SearchCommands::UseSelectionAsPattern()
{
    const qsizetype length = mWindow.selLength();
    if (length > 0)
        mWindow.setPatternText(escapedPattern(QStringView(mWindow.documentText()).mid(mWindow.selStart(), length)));
}
