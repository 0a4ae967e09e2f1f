#pragma once

#include "search/MatchCollection.h"
#include "search/TextRange.h"
#include "search/ReplacePreview.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

/// The window that holds the search, as the search commands see it: the pattern, Ignore
/// Case and Replace With boxes, the text and selection of the Search Text, the labels and
/// the list that show the selected match, the live matches, and a way to run long work.
/// Positions and lengths are UTF-16 code units of the text.
class ISearchWindow {
public:
    virtual ~ISearchWindow() = default;

    /// The text of the pattern box.
    virtual QString patternText() const = 0;
    virtual void setPatternText(const QString& sPattern) = 0;
    /// The pattern box's list, most recent first.
    virtual QStringList patternHistory() const = 0;
    /// Replaces the pattern box's list; the box keeps its text.
    virtual void setPatternHistory(const QStringList& history) = 0;
    /// Ignore Case is ticked; a greyed box is not.
    virtual bool ignoreCase() const = 0;
    /// The Replace With text as typed.
    virtual QString replaceWithText() const = 0;

    virtual QString documentText() const = 0;
    /// Replaces the whole text; like any change of the text, this marks the document changed.
    /// False when the Search Text cannot hold sText: the window has said so, and the text
    /// is as it was.
    virtual bool setDocumentText(const QString& sText) = 0;
    /// setDocumentText for the text that utf8 holds in UTF-8, which the Search Text takes
    /// without a UTF-16 copy; returns the text it replaced, in UTF-8, taken after the window
    /// has let go of that text in UTF-16. Nothing when the Search Text cannot hold utf8.
    virtual std::optional<QByteArray> swapDocumentUtf8(const QByteArray& utf8) = 0;
    /// The line break Enter types in the document: "\r\n", "\n" or "\r".
    virtual QString newLineSequence() const = 0;
    virtual qsizetype selStart() const = 0;
    virtual qsizetype selLength() const = 0;
    /// Selects length code units from start, scrolled into view.
    virtual void setSelection(qsizetype start, qsizetype length) = 0;
    /// Replaces the selection with sText as one undoable edit. False when the Search Text
    /// could not then hold its text: the window has said so, and the text is as it was.
    virtual bool replaceSelection(const QString& sText) = 0;
    /// Gives the Search Text the focus.
    virtual void focusDocument() = 0;

    /// Shows sMatchNo ("Match x of y", or empty) and sSubMatches as the labels of a search.
    virtual void showMatchLabels(const QString& sMatchNo, const QString& sSubMatches) = 0;
    /// Shows the sub-match list: every group's text on a line of its own.
    virtual void setSubMatchList(const QString& sList) = 0;
    /// Tells which lines of the sub-match list show which group: group j + 1 takes lines[j]
    /// lines, one after the other from the first line.
    virtual void setSubMatchLines(const std::vector<int>& lines) = 0;

    /// Search in Selection is switched on.
    virtual bool searchInSelection() const = 0;
    virtual void setSearchInSelection(bool bValue) = 0;
    /// The range marked for Search in Selection, where it lies now: edits move it with the text
    /// it holds, and one that removes all of that text removes it. Nothing when none is marked.
    virtual std::optional<TextRange> searchRange() const = 0;
    /// Marks range (non-empty) for Search in Selection in place of the one marked before;
    /// nothing removes the mark.
    virtual void setSearchRange(const std::optional<TextRange>& range) = 0;
    /// Shows a short note that asks for no answer and goes away by itself.
    virtual void showNote(const QString& sNote) = 0;
    /// Tells the user, briefly and without a message box, that a search went past the end
    /// of the text and went on from its start (or, when backward, past the start).
    virtual void showWrapNotice(bool backward) = 0;
    /// Ends the notice of a search that went around, if it still shows: a later step did not.
    virtual void clearWrapNotice() = 0;
    /// Shows what Replace All would do, with a way to run it (SearchCommands::ReplaceAll)
    /// or to leave the text as it is; returns at once.
    virtual void showReplacePreview(const ReplacePreview& preview) = 0;

    /// Every match of pattern with this case option, as the live matching found them in
    /// the text it last searched, when it has them at hand; nothing otherwise.
    virtual std::optional<MatchCollection> liveMatches(const QString& pattern, bool ignoreCase) const = 0;
    /// Live matching rests (true) while a whole-text replacement runs, so that it neither
    /// holds matches of the old text nor searches beside it.
    virtual void pauseLiveSearch(bool paused) = 0;

    /// Runs work, a step that may take long, while the window shows that it is busy; the
    /// flag is raised when the user cancels. False at once when the user cancelled: work,
    /// which must own everything it uses, then runs on unseen.
    virtual bool runBusy(const QString& sLabel, const std::function<void(const std::atomic_bool& cancel)>& work) = 0;
};
