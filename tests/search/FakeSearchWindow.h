#pragma once

#include "search/SearchWindow.h"

#include <algorithm>
#include <limits>

/// A search window without widgets that behaves like the main window: writing the text puts
/// the caret at 0, replacing the selection leaves the caret after the new text, and a
/// selection of 0 or fewer code units selects nothing. The marked range of Search in Selection
/// moves with edits as the Search Text's marks do: text inserted at its start goes before it,
/// text inserted at its end stays outside, and writing the whole text removes it.
class FakeSearchWindow final : public ISearchWindow {
public:
    QString pattern;
    QStringList history;
    bool ignoreCaseTicked = false;
    QString replaceWith;
    QString text;
    QString newLine = QStringLiteral("\r\n");
    qsizetype start = 0;
    qsizetype length = 0;
    bool documentFocused = false;
    QString matchNo;
    QString subMatchesLabel = QStringLiteral("Sub-Matches");
    QString subMatchList;
    std::vector<int> subMatchLines;
    bool searchInSelectionOn = false;
    std::optional<TextRange> range;
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

    /// The longest text the Search Text holds, counted in UTF-16 code units here; a longer
    /// one is refused and counted in tooLong.
    qsizetype capacity = std::numeric_limits<qsizetype>::max();
    int tooLong = 0;

    /// The labels of every long step run so far.
    QStringList busyLabels;
    /// The user cancels the next long step.
    bool cancelNext = false;

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
    QString documentText() const override { return text; }
    bool setDocumentText(const QString& sText) override
    {
        if (sText.size() > capacity) {
            ++tooLong;
            return false;
        }
        text = sText;
        start = 0;
        length = 0;
        range.reset();
        return true;
    }
    std::optional<QByteArray> swapDocumentUtf8(const QByteArray& utf8) override
    {
        QByteArray replaced = text.toUtf8();
        if (!setDocumentText(QString::fromUtf8(utf8)))
            return std::nullopt;
        return replaced;
    }
    QString newLineSequence() const override { return newLine; }
    qsizetype selStart() const override { return start; }
    qsizetype selLength() const override { return length; }
    void setSelection(qsizetype from, qsizetype count) override
    {
        start = std::clamp(from, qsizetype(0), text.size());
        length = count > 0 ? std::min(count, text.size() - start) : 0;
    }
    bool replaceSelection(const QString& sText) override
    {
        if (text.size() - length + sText.size() > capacity) {
            ++tooLong;
            return false;
        }
        text.replace(start, length, sText);
        if (range) {
            // The deleted text leaves the range, then the inserted text goes in when it lands
            // strictly inside it.
            const auto removed = [this](qsizetype p) { return p <= start ? p : std::max(start, p - length); };
            qsizetype from = removed(range->start);
            qsizetype to = removed(range->end());
            if (start <= from) {
                from += sText.size();
                to += sText.size();
            } else if (start < to) {
                to += sText.size();
            }
            range = from < to ? std::optional<TextRange>(TextRange{from, to - from}) : std::nullopt;
        }
        start += sText.size();
        length = 0;
        return true;
    }
    void focusDocument() override { documentFocused = true; }
    void showMatchLabels(const QString& sMatchNo, const QString& sSubMatches) override
    {
        matchNo = sMatchNo;
        subMatchesLabel = sSubMatches;
    }
    void setSubMatchList(const QString& sList) override { subMatchList = sList; }
    void setSubMatchLines(const std::vector<int>& lines) override { subMatchLines = lines; }
    bool searchInSelection() const override { return searchInSelectionOn; }
    void setSearchInSelection(bool bValue) override { searchInSelectionOn = bValue; }
    std::optional<TextRange> searchRange() const override { return range; }
    void setSearchRange(const std::optional<TextRange>& marked) override { range = marked; }
    void showNote(const QString& sNote) override { notes.append(sNote); }
    void showWrapNotice(bool backward) override
    {
        ++(backward ? wrapsBackward : wrapsForward);
        wrapNoticeShown = true;
    }
    void clearWrapNotice() override { wrapNoticeShown = false; }
    void showReplacePreview(const ReplacePreview& shown) override { preview = shown; }
    std::optional<MatchCollection> liveMatches(const QString& sPattern, bool bIgnoreCase) const override
    {
        if (!live || sPattern != livePattern || bIgnoreCase != liveIgnoreCase)
            return std::nullopt;
        return live;
    }
    void pauseLiveSearch(bool paused) override { livePaused = paused; }
    bool runBusy(const QString& sLabel, const std::function<void(const std::atomic_bool&)>& work) override
    {
        busyLabels.append(sLabel);
        const std::atomic_bool cancel = std::exchange(cancelNext, false);
        work(cancel);
        return !cancel;
    }
};
