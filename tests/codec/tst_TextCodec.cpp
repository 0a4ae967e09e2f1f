#include "platform/TextCodec.h"

#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(TextEncoding)

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

} // namespace

class tst_TextCodec : public QObject {
    Q_OBJECT

private slots:
    void decodeAndRoundTrip_data();
    void decodeAndRoundTrip();
    void singleByteRoundTrip_data();
    void singleByteRoundTrip();
    void everyByteGetsItsOwnCharacter();
    void encode_data();
    void encode();
    void unencodable_data();
    void unencodable();
    void fitsInUtf8_data();
    void fitsInUtf8();
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
    QCOMPARE(encoded.bytes, bytes);
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
    QCOMPARE(TextCodec::encode(decoded.text, decoded.format).bytes, bytes);
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
    QCOMPARE(TextCodec::encode(decoded.text, decoded.format).bytes, allBytes);
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
}

void tst_TextCodec::encode()
{
    QFETCH(QString, text);
    QFETCH(TextEncoding, encoding);
    QFETCH(bool, byteOrderMark);
    QFETCH(QByteArray, bytes);

    const EncodedText encoded = TextCodec::encode(text, {encoding, byteOrderMark});
    QVERIFY(encoded.ok());
    QCOMPARE(encoded.bytes, bytes);
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
    QCOMPARE(*encoded.unencodableAt, position);
    QVERIFY(encoded.bytes.isEmpty());
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

QTEST_GUILESS_MAIN(tst_TextCodec)
#include "tst_TextCodec.moc"
