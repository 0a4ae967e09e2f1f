#include "searchtext/TextExSearchText.h"

#include "busy/BusyPointer.h"
#include "busy/BusyRunner.h"
#include "search/LineBreaks.h"
#include "textex/TextEx.h"

TextExSearchText::TextExSearchText(TextEx& document, BusyRunner& busy, QObject* parent)
    : QObject(parent), mDocument(document), mBusy(busy)
{
}

QString TextExSearchText::documentText() const
{
    return mDocument.Text();
}

bool TextExSearchText::setDocumentText(const QString& sText)
{
    const qsizetype longest = sText.size() > mDocument.SlowLineLength() ? longestLineLength(sText) : 0;
    const bool slowLine = longest > mDocument.SlowLineLength();
    const BusyPointer busy(slowLine || sText.size() >= kLargeTextLength);
    if (!slowLine)
        return mDocument.setText(sText);
    emit longLineWriting(longest);
    const bool written = mDocument.setText(sText);
    emit longLineWritten(written);
    return written;
}

std::optional<QByteArray> TextExSearchText::swapDocumentUtf8(const QByteArray& utf8)
{
    // A line may be too long to show quickly only when it has that many bytes; such a text
    // goes the way of any text, which tells the user why the window waits.
    if (utf8.size() > mDocument.SlowLineLength() && longestLineLength(utf8) > mDocument.SlowLineLength()) {
        QByteArray replaced = mDocument.Text().toUtf8();
        if (!setDocumentText(QString::fromUtf8(utf8)))
            return std::nullopt;
        return replaced;
    }
    const BusyPointer busy(utf8.size() >= kLargeTextLength);
    QByteArray replaced;
    if (!mDocument.setUtf8Text(utf8, &replaced))
        return std::nullopt;
    return replaced;
}

qint64 TextExSearchText::documentCapacity() const
{
    return mDocument.Capacity();
}

QString TextExSearchText::newLineSequence() const
{
    return mDocument.NewLineSequence();
}

qsizetype TextExSearchText::selStart() const
{
    return mDocument.SelStart();
}

qsizetype TextExSearchText::selLength() const
{
    return mDocument.SelLength();
}

void TextExSearchText::setSelection(qsizetype start, qsizetype length)
{
    mDocument.setSelStart(static_cast<int>(start));
    mDocument.setSelLength(static_cast<int>(length));
}

bool TextExSearchText::replaceSelection(const QString& sText)
{
    return mDocument.setSelText(sText);
}

void TextExSearchText::focusDocument()
{
    mDocument.setFocus();
}

std::optional<TextRange> TextExSearchText::searchRange() const
{
    const auto range = mDocument.rangeMark();
    if (!range)
        return std::nullopt;
    return TextRange{range->first, range->second};
}

void TextExSearchText::setSearchRange(const std::optional<TextRange>& range)
{
    mDocument.setRangeMark(range ? std::optional(std::pair{range->start, range->length}) : std::nullopt);
    emit searchRangeChanged();
}

bool TextExSearchText::runBusy(const QString& sLabel, const std::function<void(const std::atomic_bool& cancel)>& work)
{
    emit busyChanged(true);
    const bool finished = mBusy.run<bool>(sLabel, [work](const std::atomic_bool& cancel) {
                                   work(cancel);
                                   return true;
                               }).has_value();
    emit busyChanged(false);
    return finished;
}
