#include "documents/ReplaceEscape.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

class TestReplaceEscape : public QObject {
    Q_OBJECT

private slots:
    void storedFormAndBack_data();
    void storedFormAndBack();
    void decodeKeepsOtherBackslashes_data();
    void decodeKeepsOtherBackslashes();
    void randomTextsComeBack();
};

void TestReplaceEscape::storedFormAndBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");

    QTest::newRow("empty") << u""_s << u""_s;
    QTest::newRow("plain text unchanged") << u"$1 and $2"_s << u"$1 and $2"_s;
    QTest::newRow("two lines") << u"line 1\r\nline 2"_s << u"line 1\\r\\nline 2"_s;
    QTest::newRow("lone line feed") << u"a\nb"_s << u"a\\nb"_s;
    QTest::newRow("lone carriage return") << u"a\rb"_s << u"a\\rb"_s;
    QTest::newRow("backslash before t") << u"a\\tb"_s << u"a\\\\tb"_s;
    QTest::newRow("backslash before n") << u"\\n"_s << u"\\\\n"_s;
    QTest::newRow("backslash before r") << u"\\r"_s << u"\\\\r"_s;
    QTest::newRow("ends in a backslash") << u"C:\\"_s << u"C:\\\\"_s;
    QTest::newRow("backslash then line feed") << u"\\\n"_s << u"\\\\\\n"_s;
    QTest::newRow("two backslashes") << u"\\\\"_s << u"\\\\\\\\"_s;
}

void TestReplaceEscape::storedFormAndBack()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QCOMPARE(ReplaceEscape::encode(text), stored);
    QCOMPARE(ReplaceEscape::decode(stored), text);
}

void TestReplaceEscape::decodeKeepsOtherBackslashes_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("text");

    QTest::newRow("backslash before t") << u"a\\tb"_s << u"a\\tb"_s;
    QTest::newRow("backslash at the end") << u"end\\"_s << u"end\\"_s;
    QTest::newRow("only a backslash") << u"\\"_s << u"\\"_s;
    QTest::newRow("capital N is not a line feed") << u"\\N"_s << u"\\N"_s;
    QTest::newRow("scan goes on after a pair") << u"\\\\n"_s << u"\\n"_s;
    QTest::newRow("three backslashes then n") << u"\\\\\\n"_s << u"\\\n"_s;
}

void TestReplaceEscape::decodeKeepsOtherBackslashes()
{
    QFETCH(QString, stored);
    QFETCH(QString, text);
    QCOMPARE(ReplaceEscape::decode(stored), text);
}

void TestReplaceEscape::randomTextsComeBack()
{
    // Texts built from the characters the encoding cares about, so every combination of
    // backslashes, line breaks and the letters r and n turns up.
    const QString alphabet = u"\\\r\nrnt x"_s;
    QRandomGenerator random(20261207);
    for (int round = 0; round < 2000; ++round) {
        QString text;
        const int length = random.bounded(12);
        for (int i = 0; i < length; ++i)
            text += alphabet[random.bounded(int(alphabet.size()))];
        const QString stored = ReplaceEscape::encode(text);
        QVERIFY2(!stored.contains(u'\r') && !stored.contains(u'\n'), qPrintable(stored));
        QCOMPARE(ReplaceEscape::decode(stored), text);
    }
}

QTEST_GUILESS_MAIN(TestReplaceEscape)
#include "tst_replaceescape.moc"
