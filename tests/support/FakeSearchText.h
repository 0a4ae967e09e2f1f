#pragma once

#include "searchtext/SearchText.h"

#include <QStringList>

#include <algorithm>
#include <limits>

/// A Search Text without widgets that behaves like the main window's: writing the text puts
/// the caret at 0, replacing the selection leaves the caret after the new text, and a
/// selection of 0 or fewer code units selects nothing. The marked range of Search in Selection
/// moves with edits as the Search Text's marks do: text inserted at its start goes before it,
/// text inserted at its end stays outside, and writing the whole text removes it.
class FakeSearchText : public ISearchText {
public:
    QString text;
    QString newLine = QStringLiteral("\r\n");
    qsizetype start = 0;
    qsizetype length = 0;
    bool documentFocused = false;
    std::optional<TextRange> range;

    /// The longest text the Search Text holds, counted in UTF-16 code units here; a longer
    /// one is refused and counted in tooLong.
    qint64 capacity = std::numeric_limits<qint64>::max();
    int tooLong = 0;

    /// The labels of every long step run so far.
    QStringList busyLabels;
    /// The user cancels the next long step.
    bool cancelNext = false;

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
    qint64 documentCapacity() const override { return capacity; }
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
    std::optional<TextRange> searchRange() const override { return range; }
    void setSearchRange(const std::optional<TextRange>& marked) override { range = marked; }
    bool runBusy(const QString& sLabel, const std::function<void(const std::atomic_bool&)>& work) override
    {
        busyLabels.append(sLabel);
        const std::atomic_bool cancel = std::exchange(cancelNext, false);
        work(cancel);
        return !cancel;
    }
};
