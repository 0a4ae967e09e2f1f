#pragma once

#include <QByteArrayView>
#include <QString>

#include <algorithm>

/// Splits one fuzz input into the values a check needs. Every read succeeds: past the end
/// of the input a byte reads as 0 and a chunk as empty, so any input is a valid case.
class FuzzInput {
public:
    explicit FuzzInput(QByteArrayView data) : mData(data) {}

    unsigned char byte()
    {
        if (mData.isEmpty())
            return 0;
        const auto value = static_cast<unsigned char>(mData.front());
        mData = mData.sliced(1);
        return value;
    }

    /// A chunk whose length is given by the next two bytes (little-endian), cut short by
    /// the end of the input.
    QByteArrayView chunk()
    {
        const qsizetype low = byte();
        const qsizetype length = low | (qsizetype(byte()) << 8);
        return take(length);
    }

    /// Everything left, up to `limit` bytes.
    QByteArrayView rest(qsizetype limit) { return take(limit); }

private:
    QByteArrayView take(qsizetype length)
    {
        const QByteArrayView part = mData.first(std::min(length, mData.size()));
        mData = mData.sliced(part.size());
        return part;
    }

    QByteArrayView mData;
};

/// Bytes as text: UTF-8 (broken sequences become U+FFFD), or with `utf16` raw UTF-16 code
/// units in little-endian order, which reaches lone surrogates and every other code unit.
inline QString fuzzText(QByteArrayView bytes, bool utf16)
{
    if (!utf16)
        return QString::fromUtf8(bytes);
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 * i]);
        const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = QChar(char16_t(low | (high << 8)));
    }
    return text;
}
