#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

/// The same short text stored the ways files come: UTF-8 with and without its mark, UTF-8
/// with one and with a thousand stray bytes, UTF-16 and UTF-32 with their marks, and
/// Windows-1252. In every one the pattern `kSamplePattern` has `kSampleMatches` matches, and
/// the stray bytes match none of them.
namespace EncodedSamples {

inline const QString kSamplePattern = QStringLiteral("hello|caf\u00E9");
inline constexpr int kSampleMatches = 3;

/// ASCII in UTF-16 or UTF-32: each byte spread to a code unit of `unitSize` bytes.
inline QByteArray wide(QByteArrayView ascii, int unitSize, bool bigEndian)
{
    QByteArray bytes;
    for (const char c : ascii) {
        QByteArray unit(unitSize, '\0');
        unit[bigEndian ? unitSize - 1 : 0] = c;
        bytes += unit;
    }
    return bytes;
}

struct Sample {
    QString fileName;
    QByteArray bytes;
    /// The bytes of a code unit, and their order.
    int unitSize = 1;
    bool bigEndian = false;

    /// ASCII text as this sample's file stores it.
    QByteArray ascii(QByteArrayView text) const { return wide(text, unitSize, bigEndian); }
};

inline QList<Sample> samples()
{
    const QByteArray utf8 = "hello caf\xC3\xA9\r\nsecond line: hello\r\n";
    QByteArray manyStray;
    for (int i = 0; i < 1000; ++i)
        manyStray += "\xE9 \xC3\xA9\xE2\x82\xAC\r\n";
    // "hello caf" then U+00E9 in each wide form, then the second line.
    const QByteArray head = "hello caf";
    const QByteArray tail = "\r\nsecond line: hello\r\n";
    return {
        {QStringLiteral("utf8.txt"), utf8},
        {QStringLiteral("utf8-bom.txt"), "\xEF\xBB\xBF" + utf8},
        {QStringLiteral("stray-1.txt"), utf8 + "na\xC3\xAFve \xC3\xBCn\xC3\xAF" "code\r\nLatin-1: caf\xE9\r\n"},
        {QStringLiteral("stray-1000.txt"), utf8 + manyStray},
        {QStringLiteral("utf16le.txt"),
         "\xFF\xFE" + wide(head, 2, false) + QByteArray("\xE9\0", 2) + wide(tail, 2, false), 2, false},
        {QStringLiteral("utf16be.txt"),
         "\xFE\xFF" + wide(head, 2, true) + QByteArray("\0\xE9", 2) + wide(tail, 2, true), 2, true},
        {QStringLiteral("utf32le.txt"),
         QByteArray("\xFF\xFE\0\0", 4) + wide(head, 4, false) + QByteArray("\xE9\0\0\0", 4) + wide(tail, 4, false), 4,
         false},
        {QStringLiteral("cp1252.txt"), "hello caf\xE9\r\nsecond line: hello\r\n\x93quoted\x94\r\n"},
    };
}

} // namespace EncodedSamples
