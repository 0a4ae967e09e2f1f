#pragma once

#include "search/ReplacePreview.h"

#include <QString>
#include <QStringList>

#include <vector>

/// The window that holds the search, as the search commands see it: the pattern, Ignore
/// Case and Replace With boxes, the labels and the list that show the selected match, the
/// Search in Selection option, and the notes and the preview it shows.
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
};
