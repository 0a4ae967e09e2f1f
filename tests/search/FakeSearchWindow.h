#pragma once

#include "search/LiveMatches.h"
#include "search/SearchWindow.h"
#include "support/FakeSearchText.h"

/// A search window without widgets that behaves like the main window, with its Search Text
/// and live matching.
class FakeSearchWindow final : public ISearchWindow, public FakeSearchText, public ILiveMatches {
public:
    QString pattern;
    QStringList history;
    bool ignoreCaseTicked = false;
    QString replaceWith;
    QString matchNo;
    QString subMatchesLabel = QStringLiteral("Sub-Matches");
    QString subMatchList;
    std::vector<int> subMatchLines;
    bool searchInSelectionOn = false;
    QStringList notes;
    /// How many times a search said it went around the end (forward) or the start (backward).
    int wrapsForward = 0;
    int wrapsBackward = 0;
    /// The notice of a search that went around still shows.
    bool wrapNoticeShown = false;
    /// The last preview of Replace All shown.
    std::optional<ReplacePreview> preview;

    /// What the live matching offers, and for which pattern and case option.
    std::optional<MatchCollection> live;
    QString livePattern;
    bool liveIgnoreCase = false;
    bool livePaused = false;

    /// Puts text in the document, selects [from, from + count) and sets the pattern.
    void prepare(const QString& sText, const QString& sPattern, qsizetype from = 0, qsizetype count = 0)
    {
        text = sText;
        start = from;
        length = count;
        pattern = sPattern;
    }

    QString patternText() const override { return pattern; }
    void setPatternText(const QString& sPattern) override { pattern = sPattern; }
    QStringList patternHistory() const override { return history; }
    void setPatternHistory(const QStringList& sHistory) override { history = sHistory; }
    bool ignoreCase() const override { return ignoreCaseTicked; }
    QString replaceWithText() const override { return replaceWith; }
    void showMatchLabels(const QString& sMatchNo, const QString& sSubMatches) override
    {
        matchNo = sMatchNo;
        subMatchesLabel = sSubMatches;
    }
    void setSubMatchList(const QString& sList) override { subMatchList = sList; }
    void setSubMatchLines(const std::vector<int>& lines) override { subMatchLines = lines; }
    bool searchInSelection() const override { return searchInSelectionOn; }
    void setSearchInSelection(bool bValue) override { searchInSelectionOn = bValue; }
    void showNote(const QString& sNote) override { notes.append(sNote); }
    void showWrapNotice(bool backward) override
    {
        ++(backward ? wrapsBackward : wrapsForward);
        wrapNoticeShown = true;
    }
    void clearWrapNotice() override { wrapNoticeShown = false; }
    void showReplacePreview(const ReplacePreview& shown) override { preview = shown; }
    std::optional<MatchCollection> matchesFor(const QString& sPattern, bool bIgnoreCase) const override
    {
        if (!live || sPattern != livePattern || bIgnoreCase != liveIgnoreCase)
            return std::nullopt;
        return live;
    }
    void setPaused(bool paused) override { livePaused = paused; }
};
