#pragma once

#include "search/RegExp.h"
#include "search/SearchWindow.h"
#include "search/UndoText.h"

class IMessageBox;

/// How a search ended.
enum class SearchOutcome {
    Found,     ///< a match is selected and shown
    NotFound,  ///< the text has no match; the labels say so
    Cancelled, ///< the user cancelled the search; nothing changed
    Failed,    ///< the pattern or the text made the component fail; its message was shown
};

/// The search and replace commands of a window: Find Next, Find Previous, Replace, Replace
/// All and Undo. Every search runs the pattern over the whole text and picks the match that
/// follows (or precedes) the selection, wrapping around. A replacement first keeps the whole
/// text, and Undo swaps the text with the kept one. Messages go through `messages`.
class SearchCommands {
public:
    /// `window` and `messages` must outlive the commands.
    SearchCommands(ISearchWindow& window, IMessageBox& messages);

    /// Searches forward and shows "No matches found" when nothing was found.
    void FindNext();
    /// Searches backward and shows "No matches found" when nothing was found.
    void FindPrevious();
    /// Replaces the selection with the Replace With text, taken literally; with nothing
    /// selected, searches forward first.
    void Replace();
    /// Replaces every match; the Replace With text may use $1, $&, $` and the others.
    void ReplaceAll();
    /// Swaps the text with the one kept before the last replacement.
    void Undo();
    /// Replaces the selected match with the Replace With text, expanded as Replace All
    /// expands it, and selects the next match. A selection that is not a match of the
    /// pattern is left as it is, and the next match is selected.
    void ReplaceAndFindNext();
    /// Puts the selected text in the pattern box, escaped so that it is matched literally.
    void UseSelectionAsPattern();

    /// Puts the pattern at the top of the history, selects the match that follows (or,
    /// when Backward, precedes) the selection, and shows its number and sub-matches.
    SearchOutcome FindMatch(bool Backward);
    /// Puts the pattern at the top of the pattern box's history.
    void AddPatternToHistory();

private:
    /// Selects the match that a search from the selection [selStart, selStart + selLength)
    /// picks among matches, and shows it; nothing when the user cancelled the search.
    SearchOutcome selectMatch(const std::optional<RegExpResult<MatchCollection>>& matches, qsizetype selStart,
                              qsizetype selLength, bool backward);
    void ReplaceSelection();
    /// The Replace With text with its line breaks in the document's own convention.
    QString replacementText() const;
    void showNoMatches();
    /// Every match of the current pattern in text, from the live matching when it has
    /// them, else from a search that the user may cancel (then nothing).
    std::optional<RegExpResult<MatchCollection>> matchesIn(const QString& text, const QString& pattern,
                                                           bool ignoreCase);

    ISearchWindow& mWindow;
    IMessageBox& mMessages;
    RegExp mExpression;
    UndoText mUndoText;
};
