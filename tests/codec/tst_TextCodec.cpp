#include "platform/TextCodec.h"
#include "platform/Utf8Bytes.h"
#include "support/EncodedSamples.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(TextEncoding)
Q_DECLARE_METATYPE(TextFormat)

using namespace Qt::StringLiterals;
using EncodedSamples::wide;

namespace {

QByteArray bytesOf(std::initializer_list<unsigned char> values)
{
    QByteArray bytes;
    for (unsigned char value : values)
        bytes.append(static_cast<char>(value));
    return bytes;
}

QString charsOf(std::initializer_list<char16_t> units)
{
    return QString(reinterpret_cast<const QChar*>(units.begin()), qsizetype(units.size()));
}

QByteArray randomBytes(QRandomGenerator& random, qsizetype count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

/// The bytes `text` encodes to in `format`, none when it cannot be encoded.
QByteArray encodedBytes(QStringView text, TextFormat format)
{
    const EncodedText encoded = TextCodec::encode(text, format);
    return encoded ? encoded->bytes : QByteArray();
}

} // namespace

class tst_TextCodec : public QObject {
    Q_OBJECT

private slots:
    void decodeAndRoundTrip_data();
    void decodeAndRoundTrip();
    void utf16Length_data();
    void utf16Length();
    void singleByteRoundTrip_data();
    void singleByteRoundTrip();
    void everyByteGetsItsOwnCharacter();
    void encode_data();
    void encode();
    void unencodable_data();
    void unencodable();
    void fitsInUtf8_data();
    void fitsInUtf8();
    void strayBytes_data();
    void strayBytes();
    void editKeepsEveryOtherByte_data();
    void editKeepsEveryOtherByte();
    void fileBytesAllowForTheEncoding();
};

void tst_TextCodec::decodeAndRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<bool>("byteOrderMark");

    const auto utf8 = TextEncoding::Utf8;
    const auto cp1252 = TextEncoding::Windows1252;

    QTest::newRow("empty input is UTF-8") << QByteArray() << QString() << utf8 << false;
    QTest::newRow("CR LF lines") << QByteArray("one\r\ntwo\r\n") << "one\r\ntwo\r\n" << utf8 << false;
    QTest::newRow("lone LF") << QByteArray("one\ntwo") << "one\ntwo" << utf8 << false;
    QTest::newRow("lone CR") << QByteArray("one\rtwo\r") << "one\rtwo\r" << utf8 << false;
    QTest::newRow("NUL bytes kept") << QByteArray("a\0b\0", 4) << charsOf({'a', 0, 'b', 0}) << utf8
                                    << false;
    QTest::newRow("two-byte UTF-8") << QByteArray("caf\xC3\xA9") << QStringLiteral("café") << utf8 << false;
    QTest::newRow("three-byte UTF-8") << QByteArray("\xE2\x82\xAC") << QStringLiteral("€") << utf8 << false;
    QTest::newRow("four-byte UTF-8 becomes a surrogate pair")
        << QByteArray("\xF0\x9F\x98\x80") << charsOf({0xD83D, 0xDE00}) << utf8 << false;
    QTest::newRow("highest code point") << QByteArray("\xF4\x8F\xBF\xBF") << charsOf({0xDBFF, 0xDFFF}) << utf8
                                        << false;
    QTest::newRow("last code point before surrogates") << QByteArray("\xED\x9F\xBF") << charsOf({0xD7FF})
                                                       << utf8 << false;
    QTest::newRow("first code point after surrogates") << QByteArray("\xEE\x80\x80") << charsOf({0xE000})
                                                       << utf8 << false;
    QTest::newRow("byte-order mark set aside") << QByteArray("\xEF\xBB\xBF" "abc") << "abc" << utf8 << true;
    QTest::newRow("lone byte-order mark") << QByteArray("\xEF\xBB\xBF") << QString() << utf8 << true;
    QTest::newRow("second byte-order mark is text")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") << charsOf({0xFEFF}) << utf8 << true;
    QTest::newRow("byte-order mark before invalid UTF-8 is Windows-1252")
        << QByteArray("\xEF\xBB\xBF\xFF") << QStringLiteral("ï»¿ÿ") << cp1252 << false;
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xE9") << QStringLiteral("café") << cp1252 << false;
    QTest::newRow("lone continuation byte") << QByteArray("\x80") << QStringLiteral("€") << cp1252 << false;
    QTest::newRow("undefined code page bytes map to C1 controls")
        << bytesOf({0x81, 0x8D, 0x8F, 0x90, 0x9D}) << charsOf({0x81, 0x8D, 0x8F, 0x90, 0x9D}) << cp1252 << false;
    QTest::newRow("overlong two-byte slash") << bytesOf({0xC0, 0xAF}) << QStringLiteral("À¯") << cp1252 << false;
    QTest::newRow("overlong three-byte slash") << bytesOf({0xE0, 0x80, 0xAF}) << charsOf({0xE0, 0x20AC, 0xAF})
                                               << cp1252 << false;
    QTest::newRow("overlong four-byte") << bytesOf({0xF0, 0x8F, 0xBF, 0xBF})
                                        << charsOf({0xF0, 0x8F, 0xBF, 0xBF}) << cp1252 << false;
    QTest::newRow("encoded surrogate") << bytesOf({0xED, 0xA0, 0x80}) << charsOf({0xED, 0xA0, 0x20AC}) << cp1252
                                       << false;
    QTest::newRow("above U+10FFFF") << bytesOf({0xF4, 0x90, 0x80, 0x80}) << charsOf({0xF4, 0x90, 0x20AC, 0x20AC})
                                    << cp1252 << false;
    QTest::newRow("lead byte F5") << bytesOf({0xF5, 0x80, 0x80, 0x80}) << charsOf({0xF5, 0x20AC, 0x20AC, 0x20AC})
                                  << cp1252 << false;
    QTest::newRow("sequence cut at the end") << QByteArray("ok\xE2\x82") << charsOf({'o', 'k', 0xE2, 0x201A})
                                             << cp1252 << false;
    QTest::newRow("invalid byte after long ASCII run")
        << QByteArray("0123456789abcdefg\xFF") << QStringLiteral("0123456789abcdefgÿ") << cp1252 << false;
    QTest::newRow("NUL bytes with invalid UTF-8") << QByteArray("\0\xFF\0", 3) << charsOf({0, 0xFF, 0}) << cp1252
                                                  << false;
    QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFEh\0\xE9\0\r\0\n\0", 10) << QStringLiteral("h\u00E9\r\n")
                               << TextEncoding::Utf16LE << true;
    QTest::newRow("UTF-16 BE surrogate pair") << bytesOf({0xFE, 0xFF, 0xD8, 0x3D, 0xDE, 0x00})
                                              << charsOf({0xD83D, 0xDE00}) << TextEncoding::Utf16BE << true;
    QTest::newRow("UTF-16 LE mark alone") << QByteArray("\xFF\xFE") << QString() << TextEncoding::Utf16LE << true;
    QTest::newRow("UTF-16 LE mark and U+0000 is no UTF-32")
        << QByteArray("\xFF\xFE\0\0a\0", 6) << charsOf({0, 'a'}) << TextEncoding::Utf16LE << true;
    QTest::newRow("UTF-32 LE") << QByteArray("\xFF\xFE\0\0a\0\0\0\x00\xF6\x01\0", 12)
                               << charsOf({'a', 0xD83D, 0xDE00}) << TextEncoding::Utf32LE << true;
    QTest::newRow("UTF-32 BE") << QByteArray("\0\0\xFE\xFF\0\0\0a", 8) << QStringLiteral("a")
                               << TextEncoding::Utf32BE << true;
    QTest::newRow("UTF-16 of odd length is bytes") << QByteArray("\xFF\xFE" "a") << QStringLiteral("\u00FF\u00FEa")
                                                   << cp1252 << false;
    QTest::newRow("UTF-16 with a lone surrogate is bytes")
        << bytesOf({0xFE, 0xFF, 0xD8, 0x00}) << QStringLiteral("\u00FE\u00FF\u00D8") + QChar(0) << cp1252 << false;
    QTest::newRow("UTF-32 above U+10FFFF is bytes")
        << bytesOf({0x00, 0x00, 0xFE, 0xFF, 0x00, 0x11, 0x00, 0x00})
        << charsOf({0, 0, 0xFE, 0xFF, 0, 0x11, 0, 0}) << cp1252 << false;
    QTest::newRow("CR LF with invalid UTF-8") << QByteArray("a\r\n\xE9\r") << QStringLiteral("a\r\né\r") << cp1252
                                              << false;
}

void tst_TextCodec::decodeAndRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);
    QFETCH(bool, byteOrderMark);

    const DecodedText decoded = TextCodec::decode(bytes);
    QCOMPARE(decoded.text, text);
    QCOMPARE(decoded.format.encoding, encoding);
    QCOMPARE(decoded.format.byteOrderMark, byteOrderMark);

    const EncodedText encoded = TextCodec::encode(decoded.text, decoded.format);
    QVERIFY(encoded.ok());
    QCOMPARE(encoded->bytes, bytes);

    // Decoding into a text that already holds something gives the same text.
    if (encoding == TextEncoding::Utf8 || encoding == TextEncoding::Windows1252) {
        const QByteArrayView body = QByteArrayView(bytes).sliced(byteOrderMark ? 3 : 0);
        QString reused = QStringLiteral("earlier text, longer than most rows");
        TextCodec::decodeInto(body, encoding, Utf8Bytes::isValid(body), reused);
        QCOMPARE(reused, text);
    }
}

void tst_TextCodec::utf16Length_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("ASCII beyond one vector") << QByteArray("the quick brown fox jumps over the lazy dog");
    QTest::newRow("two and three bytes") << QByteArray("caf\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC");
    QTest::newRow("four bytes take two code units") << QByteArray("a\xF0\x9F\x99\x82" "b");
    QTest::newRow("every length across a vector's end")
        << QByteArray("0123456789abcd\xC3\xA9\xE2\x82\xAC\xF0\x9F\x99\x82xyz\xF0\x9F\x99\x82");
}

void tst_TextCodec::utf16Length()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(Utf8Bytes::utf16Length(bytes), QString::fromUtf8(bytes).size());
}

void tst_TextCodec::singleByteRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    for (int value = 0; value < 256; ++value) {
        const QByteArray bytes(1, static_cast<char>(value));
        QTest::addRow("byte 0x%02X", value) << bytes;
    }
}

void tst_TextCodec::singleByteRoundTrip()
{
    QFETCH(QByteArray, bytes);

    const DecodedText decoded = TextCodec::decode(bytes);
    QCOMPARE(decoded.text.size(), 1);
    const bool ascii = static_cast<unsigned char>(bytes[0]) < 0x80;
    QCOMPARE(decoded.format.encoding, ascii ? TextEncoding::Utf8 : TextEncoding::Windows1252);
    QCOMPARE(encodedBytes(decoded.text, decoded.format), bytes);
}

void tst_TextCodec::everyByteGetsItsOwnCharacter()
{
    QByteArray allBytes;
    for (int value = 0; value < 256; ++value)
        allBytes.append(static_cast<char>(value));

    const DecodedText decoded = TextCodec::decode(allBytes);
    QCOMPARE(decoded.format.encoding, TextEncoding::Windows1252);
    const QSet<QChar> distinct(decoded.text.cbegin(), decoded.text.cend());
    QCOMPARE(distinct.size(), 256);
    QCOMPARE(encodedBytes(decoded.text, decoded.format), allBytes);
}

void tst_TextCodec::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<bool>("byteOrderMark");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("UTF-8 with byte-order mark") << QStringLiteral("é") << TextEncoding::Utf8 << true
                                                << QByteArray("\xEF\xBB\xBF\xC3\xA9");
    QTest::newRow("UTF-8 empty text with byte-order mark")
        << QString() << TextEncoding::Utf8 << true << QByteArray("\xEF\xBB\xBF");
    QTest::newRow("UTF-8 surrogate pair") << charsOf({0xD83D, 0xDE00}) << TextEncoding::Utf8 << false
                                          << QByteArray("\xF0\x9F\x98\x80");
    QTest::newRow("Windows-1252 euro sign and quotes")
        << QStringLiteral("€“x”") << TextEncoding::Windows1252 << false << bytesOf({0x80, 0x93, 'x', 0x94});
    QTest::newRow("Windows-1252 Latin-1 range") << QStringLiteral("\u00A0ÿ") << TextEncoding::Windows1252 << false
                                                << bytesOf({0xA0, 0xFF});
    QTest::newRow("Windows-1252 empty text") << QString() << TextEncoding::Windows1252 << false << QByteArray();
    QTest::newRow("UTF-16 BE with its mark") << charsOf({'a', 0xD83D, 0xDE00}) << TextEncoding::Utf16BE << true
                                             << bytesOf({0xFE, 0xFF, 0x00, 'a', 0xD8, 0x3D, 0xDE, 0x00});
    QTest::newRow("UTF-32 LE joins a surrogate pair") << charsOf({0xD83D, 0xDE00}) << TextEncoding::Utf32LE << true
                                                      << bytesOf({0xFF, 0xFE, 0, 0, 0x00, 0xF6, 0x01, 0x00});
    QTest::newRow("stand-in in plain UTF-8 is a character")
        << charsOf({TextCodec::standIn(0xE9)}) << TextEncoding::Utf8 << false << QByteArray("\xEE\xBF\xA9");
}

void tst_TextCodec::encode()
{
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);
    QFETCH(bool, byteOrderMark);
    QFETCH(QByteArray, bytes);

    const EncodedText encoded = TextCodec::encode(text, {encoding, byteOrderMark});
    QVERIFY(encoded.ok());
    QCOMPARE(encoded->bytes, bytes);
}

void tst_TextCodec::unencodable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<qsizetype>("position");

    QTest::newRow("Cyrillic in Windows-1252") << QStringLiteral("abжd") << TextEncoding::Windows1252 << qsizetype(2);
    QTest::newRow("U+0080 is no Windows-1252 character")
        << charsOf({'a', 0x80}) << TextEncoding::Windows1252 << qsizetype(1);
    QTest::newRow("emoji in Windows-1252") << charsOf({'a', 0xD83D, 0xDE00}) << TextEncoding::Windows1252
                                           << qsizetype(1);
    QTest::newRow("lone high surrogate in UTF-8") << charsOf({'a', 0xD800, 'b'}) << TextEncoding::Utf8
                                                  << qsizetype(1);
    QTest::newRow("high surrogate at the end in UTF-8") << charsOf({'a', 0xD800}) << TextEncoding::Utf8
                                                        << qsizetype(1);
    QTest::newRow("lone low surrogate in UTF-8") << charsOf({0xDC00, 'b'}) << TextEncoding::Utf8 << qsizetype(0);
    QTest::newRow("lone surrogate in UTF-16") << charsOf({'a', 0xDE00}) << TextEncoding::Utf16LE << qsizetype(1);
    QTest::newRow("lone surrogate in UTF-32") << charsOf({0xD83D}) << TextEncoding::Utf32BE << qsizetype(0);
    QTest::newRow("reversed pair in UTF-8") << charsOf({'x', 0xD83D, 0xDE00, 0xDE00, 0xD83D})
                                            << TextEncoding::Utf8 << qsizetype(3);
}

void tst_TextCodec::unencodable()
{
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);
    QFETCH(qsizetype, position);

    const EncodedText encoded = TextCodec::encode(text, {encoding, false});
    QVERIFY(!encoded.ok());
    QCOMPARE(encoded.error().at, position);
}

void tst_TextCodec::fitsInUtf8_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("maxBytes");
    QTest::addColumn<bool>("fits");

    QTest::newRow("ASCII at the limit") << QStringLiteral("abcd") << qint64(4) << true;
    QTest::newRow("ASCII one byte over") << QStringLiteral("abcde") << qint64(4) << false;
    QTest::newRow("two-byte characters") << QStringLiteral("\u00e9\u00e9") << qint64(4) << true;
    QTest::newRow("two-byte characters, one byte short") << QStringLiteral("\u00e9\u00e9") << qint64(3) << false;
    QTest::newRow("three-byte characters") << QStringLiteral("\u20ac\u20ac") << qint64(6) << true;
    QTest::newRow("three-byte characters, one byte short") << QStringLiteral("\u20ac\u20ac") << qint64(5) << false;
    QTest::newRow("surrogate pair takes four bytes") << charsOf({0xD83D, 0xDE00}) << qint64(4) << true;
    QTest::newRow("surrogate pair, one byte short") << charsOf({0xD83D, 0xDE00}) << qint64(3) << false;
    QTest::newRow("lone surrogate counts two") << charsOf({'a', 0xD800}) << qint64(3) << true;
    QTest::newRow("short text fits whatever it holds") << QStringLiteral("\u20ac") << qint64(3) << true;
    QTest::newRow("more code units than bytes") << QString(10, u'a') << qint64(9) << false;
    QTest::newRow("empty text in no room") << QString() << qint64(0) << true;
}

void tst_TextCodec::fitsInUtf8()
{
    QFETCH(QString, text);
    QFETCH(qint64, maxBytes);
    QFETCH(bool, fits);
    QCOMPARE(TextCodec::fitsInUtf8(text, maxBytes), fits);
}

void tst_TextCodec::strayBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<qsizetype>("strayBytes");
    QTest::addColumn<QString>("text");

    const auto utf8 = TextEncoding::Utf8;
    const auto cp1252 = TextEncoding::Windows1252;
    QTest::newRow("a Latin-1 line in UTF-8") << QByteArray("caf\xC3\xA9\nrenam\xE9\nna\xC3\xAFve") << utf8
                                             << qsizetype(1) << u"caf\u00E9\nrenam\uEFE9\nna\u00EFve"_s;
    QTest::newRow("a character cut at the end")
        << QByteArray("\xE2\x82\xAC, \xE2\x82\xAC, \xE2\x82\xAC, \xE2\x82") << utf8 << qsizetype(2)
        << u"\u20AC, \u20AC, \u20AC, \uEFE2\uEF82"_s;
    QTest::newRow("stray bytes after a byte-order mark")
        << QByteArray("\xEF\xBB\xBF\xC3\xA9\xC3\xA9\xFF") << utf8 << qsizetype(1) << u"\u00E9\u00E9\uEFFF"_s;
    QTest::newRow("as many stray bytes as characters is Windows-1252")
        << QByteArray("\xC3\xA9 \xE9") << cp1252 << qsizetype(0) << u"\u00C3\u00A9 \u00E9"_s;
    QTest::newRow("a stand-in already in the file is Windows-1252")
        << QByteArray("\xEE\xBF\xA9 \xC3\xA9 \xE9") << cp1252 << qsizetype(0) << QString();
    QTest::newRow("ASCII with one stray byte is Windows-1252") << QByteArray("plain \xE9") << cp1252 << qsizetype(0)
                                                               << u"plain \u00E9"_s;
}

void tst_TextCodec::strayBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, encoding);
    QFETCH(qsizetype, strayBytes);
    QFETCH(QString, text);

    const DecodedText decoded = TextCodec::decode(bytes);
    QCOMPARE(decoded.format.encoding, encoding);
    QCOMPARE(decoded.format.strayBytes, strayBytes);
    if (!text.isNull())
        QCOMPARE(decoded.text, text);
    const EncodedText encoded = TextCodec::encode(decoded.text, decoded.format);
    QVERIFY(encoded.ok());
    QCOMPARE(encoded->bytes, bytes);
    QCOMPARE(encoded->strayBytes, strayBytes);
}

void tst_TextCodec::editKeepsEveryOtherByte_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("marker");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("edited");

    // The edit replaces the text "[mark]" by "é"; every other byte must stay as it was.
    const QByteArray mark("[mark]");
    const auto utf8 = TextEncoding::Utf8;
    QTest::newRow("UTF-8") << QByteArray("na\xC3\xAFve caf\xC3\xA9\r\n") << mark << QByteArray("\r\nr\xC3\xA9sum\xC3\xA9")
                           << utf8 << QByteArray("\xC3\xA9");
    QTest::newRow("UTF-8 with a byte-order mark") << QByteArray("\xEF\xBB\xBF\xE2\x82\xAC\n") << mark
                                                  << QByteArray("\n\xE2\x82\xAC") << utf8 << QByteArray("\xC3\xA9");
    QTest::newRow("UTF-8 with one stray byte")
        << QByteArray("\xC3\xBCn\xC3\xAF" "c\xC3\xB6" "d\xC3\xA9\nLatin-1 caf\xE9\n") << mark << QByteArray("\n\xC3\xA9")
        << utf8 << QByteArray("\xC3\xA9");
    QByteArray manyStray;
    for (int i = 0; i < 1000; ++i)
        manyStray += QByteArray("\xC3\xA9\xE2\x82\xAC\xE9 ");
    QTest::newRow("UTF-8 with 1,000 stray bytes") << manyStray << mark << manyStray.right(400) << utf8
                                                  << QByteArray("\xC3\xA9");
    QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE") + wide("one\r\n", 2, false) << wide(mark, 2, false)
                               << wide("\r\ntwo", 2, false) << TextEncoding::Utf16LE << QByteArray("\xE9\0", 2);
    QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF") + wide("one\n", 2, true) << wide(mark, 2, true)
                               << wide("\ntwo", 2, true) << TextEncoding::Utf16BE << QByteArray("\0\xE9", 2);
    QTest::newRow("UTF-32 LE") << QByteArray("\xFF\xFE\0\0", 4) + wide("one ", 4, false) << wide(mark, 4, false)
                               << wide(" two", 4, false) << TextEncoding::Utf32LE << QByteArray("\xE9\0\0\0", 4);
    QTest::newRow("Windows-1252") << QByteArray("caf\xE9 \x80 \x93") << mark << QByteArray("\x94 \xFF\x81")
                                  << TextEncoding::Windows1252 << QByteArray("\xE9");
    QRandomGenerator random(23);
    QTest::newRow("random bytes") << randomBytes(random, 4000) << mark << randomBytes(random, 4000)
                                  << TextEncoding::Windows1252 << QByteArray("\xE9");
}

void tst_TextCodec::editKeepsEveryOtherByte()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, marker);
    QFETCH(QByteArray, after);
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, edited);

    const QByteArray file = before + marker + after;
    const DecodedText decoded = TextCodec::decode(file);
    QCOMPARE(decoded.format.encoding, encoding);
    QCOMPARE(encodedBytes(decoded.text, decoded.format), file);

    const qsizetype at = decoded.text.indexOf(u"[mark]");
    QVERIFY(at >= 0);
    const QString changed = QString(decoded.text).replace(at, 6, QStringLiteral("\u00E9"));
    const EncodedText encoded = TextCodec::encode(changed, decoded.format);
    QVERIFY(encoded.ok());
    QCOMPARE(encoded->bytes, before + edited + after);
}

void tst_TextCodec::fileBytesAllowForTheEncoding()
{
    QCOMPARE(TextCodec::fileBytesFor(100, QByteArray("abc")), 104);
    QCOMPARE(TextCodec::fileBytesFor(100, QByteArray("\xFE\xFF")), 204);
    QCOMPARE(TextCodec::fileBytesFor(100, QByteArray("\0\0\xFE\xFF", 4)), 404);
    QCOMPARE(TextCodec::fileBytesFor(std::numeric_limits<qint64>::max(), QByteArray("\xFF\xFE")),
             std::numeric_limits<qint64>::max());
}

QTEST_GUILESS_MAIN(tst_TextCodec)
#include "tst_TextCodec.moc"
