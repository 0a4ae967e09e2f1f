#include "textex/Utf8Slices.h"

#include <QStringDecoder>

#include <algorithm>

Utf8Slices::Utf8Slices(QByteArrayView utf8, qsizetype sliceBytes) : mBytes(utf8.size())
{
    for (qsizetype from = 0; from < utf8.size(); from += sliceBytes)
        mSlices.emplace_back(utf8.sliced(from, std::min(sliceBytes, utf8.size() - from)).toByteArray());
}

QString Utf8Slices::decode()
{
    // No more UTF-16 code units than bytes; the decoder keeps a character that a slice
    // boundary cuts until the next slice completes it.
    QString text(mBytes, Qt::Uninitialized);
    QStringDecoder decoder(QStringConverter::Utf8);
    QChar* end = text.data();
    for (QByteArray& slice : mSlices) {
        end = decoder.appendToBuffer(end, slice);
        slice = QByteArray();
    }
    mSlices.clear();
    text.truncate(end - text.constData());
    return text;
}
