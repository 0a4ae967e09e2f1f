#pragma once

#include "regex/RegExp.h"
#include "search/LiveMatches.h"
#include "search/SearchWindow.h"
#include "searchtext/SearchText.h"
#include "search/UndoText.h"

#include <functional>
#include <utility>

class IMessageBox;
struct FoundMatch;

/// How a search ended.
enum class SearchOutcome {
    Found,     ///< a match is selected and shown
    NotFound,  ///< the text has no match; the labels say so
    Cancelled, ///< the user cancelled the search; nothing changed
    NoRange,   ///< Search in Selection had no range to search in; a message said so
    Failed,    ///< the pattern or the text made the component fail; its message was shown
};

/// The search and replace commands of a window: Find Next, Find Previous, Replace, Replace
/// All and Undo. Every search runs the pattern over the whole text and picks the match that
/// follows (or precedes) the selection, wrapping around. A replacement first keeps the whole
/// text, and Undo swaps the text with the kept one. Messages go through `messages`.
///
/// With Search in Selection on, the commands see only the matches that lie wholly inside the
/// range that was selected when it was switched on, wrap around at the range's ends, and
/// number the matches inside it; Replace All replaces only those.
class SearchCommands {
public:
    /// `window`, `document`, `live` and `messages` must outlive the commands.
    SearchCommands(ISearchWindow& window, ISearchText& document, ILiveMatches& live, IMessageBox& messages);

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
    /// Switches Search in Selection on or off. Switched on, the selection becomes the range the
    /// commands work in; with nothing selected, the next command takes the selection it
    /// starts from.
    void SearchInSelection();
    /// The text changed: when an edit removed the whole range of Search in Selection, the
    /// option goes off with a note.
    void textChanged();
    /// Shows what Replace All would do now: the number of replacements and each match with
    /// the text that replaces it. A pattern that fails is reported as Replace All reports it.
    void PreviewReplaceAll();
    /// Selects match index of matches as Find Next selects a match, with its number and
    /// sub-matches; matches are every match of the current pattern (a table of them, say).
    /// NotFound, and nothing changed, when matches are no longer those of the text.
    SearchOutcome SelectMatch(const MatchCollection& matches, qsizetype index);

    /// Whether Replace All, Replace and Find Next and the preview read the case sequences
    /// \U \L \u \l \E in the Replace With text; Replace always takes it literally.
    void setCaseConversion(CaseConversion caseConversion);
    /// Called after a command's search stopped at the backtracking budget and said so, for
    /// the window to show where the pattern spends its steps.
    void setOnBudgetSpent(std::function<void()> onBudgetSpent) { mOnBudgetSpent = std::move(onBudgetSpent); }

    /// Puts the pattern at the top of the history, selects the match that follows (or,
    /// when Backward, precedes) the selection, and shows its number and sub-matches.
    SearchOutcome FindMatch(bool Backward);
    /// Puts the pattern at the top of the pattern box's history.
    void AddPatternToHistory();

private:
    /// Selects the match that a search from the selection [selStart, selStart + selLength)
    /// picks among matches inside within, and shows it; nothing when the user cancelled the search.
    SearchOutcome selectMatch(const std::optional<RegExpResult<MatchCollection>>& matches, qsizetype selStart,
                              qsizetype selLength, bool backward, const TextRange& within);
    /// Selects the match that pick chooses among matches and shows it, or reports why there is none.
    SearchOutcome showPicked(const std::optional<RegExpResult<MatchCollection>>& matches, bool backward,
                             const std::function<std::optional<FoundMatch>(const MatchCollection&)>& pick);
    /// Selects found and shows its number and sub-matches.
    void showFound(const FoundMatch& found);
    void ReplaceSelection();
    /// Runs replace, a replacement of the whole text by the current pattern, off the window's
    /// thread while the live matching rests; its result, or nothing when the user cancelled or
    /// it failed (a message said so).
    template <typename T>
    std::optional<T> replaceOffThread(
        const std::function<RegExpResult<T>(const RegExp& expression, const std::atomic_bool& cancel)>& replace);
    /// Replace All inside range of text.
    void replaceAllWithin(const QString& text, const TextRange& range, const QString& replacement);
    /// The part of text the commands work in: all of it, or the range of Search in Selection,
    /// taken from the selection when none is marked yet. Nothing, after a message, when Search
    /// in Selection has no range and nothing is selected.
    std::optional<TextRange> searchScope(const QString& text);
    /// Marks range for Search in Selection; an empty one cannot be kept, and the option goes off.
    void markRange(const TextRange& range);
    /// Switches Search in Selection off, with sNote to say why when it is not empty.
    void switchSearchInSelectionOff(const QString& sNote = QString());
    /// The range of Search in Selection, for Undo to bring back with the text it restores.
    std::optional<TextRange> rangeToRestore() const;
    /// Keeps text, and range of Search in Selection that went with it, for Undo.
    void rememberForUndo(const QString& text, const std::optional<TextRange>& range);
    /// rememberForUndo for the text that utf8 holds in UTF-8.
    void rememberForUndo(QByteArray utf8, const std::optional<TextRange>& range);
    /// Replaces the whole text; false when the Search Text cannot hold it, which changes
    /// nothing. The range it held is marked again by the caller.
    bool writeText(const QString& text);
    /// Replaces the whole text with the one utf8 holds in UTF-8; the text it replaced, in
    /// UTF-8, or nothing when the Search Text cannot hold the new one, which changes nothing.
    std::optional<QByteArray> swapText(const QByteArray& utf8);
    /// The Replace With text with its line breaks in the document's own convention.
    QString replacementText() const;
    void showNoMatches();
    /// Tells the user why a search or replacement failed.
    void showError(const RegExpError& error);
    /// Every match of the current pattern in text, from the live matching when it has
    /// them, else from a search that the user may cancel (then nothing).
    std::optional<RegExpResult<MatchCollection>> matchesIn(const QString& text, const QString& pattern,
                                                           bool ignoreCase);

    ISearchWindow& mWindow;
    ISearchText& mDocument;
    ILiveMatches& mLive;
    IMessageBox& mMessages;
    RegExp mExpression;
    UndoText mUndoText;
    /// The range of Search in Selection when the text kept for Undo was current.
    std::optional<TextRange> mUndoRange;
    /// A range is marked for Search in Selection, so losing it switches the option off.
    bool mRangeMarked = false;
    /// The commands write the whole text: the range is lost on purpose and marked again.
    bool mWritingText = false;
    std::function<void()> mOnBudgetSpent;
};
