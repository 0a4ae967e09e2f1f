#include "regex/RegExp.h"
#include "TestText.h"

#include <QTest>

class tst_Replace : public QObject {
    Q_OBJECT

private slots:
    void replace_data();
    void replace();
    void resultGrowsPastTheTextLength();
    void utf8ResultOfAnyLength_data();
    void utf8ResultOfAnyLength();
    void noMatchGivesTextBack();
    void resultLengthGuard();
};

void tst_Replace::replace_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");

    QTest::newRow("every match") << s(u"a") << "g" << s(u"banana") << s(u"o") << s(u"bonono");
    QTest::newRow("without Global only the first") << s(u"a") << "" << s(u"banana") << s(u"o") << s(u"bonana");
    QTest::newRow("line starts on CR LF text keep the pairs")
        << s(u"^") << "gm" << s(u"a\r\nb\r\n") << s(u">") << s(u">a\r\n>b\r\n>");
    QTest::newRow("line ends on CR LF text keep the pairs")
        << s(u"$") << "gm" << s(u"a\r\nb\r\n") << s(u"<") << s(u"a<\r\nb<\r\n<");
    QTest::newRow("empty lines on CR LF text")
        << s(u"^$") << "gm" << s(u"a\r\n\r\nb") << s(u"-") << s(u"a\r\n-\r\nb");
    QTest::newRow("line ends on CR and LF text")
        << s(u"$") << "gm" << s(u"a\rb\nc") << s(u";") << s(u"a;\rb;\nc;");
    QTest::newRow("empty pattern between every code unit")
        << s(u"") << "g" << s(u"abc") << s(u"-") << s(u"-a-b-c-");
    QTest::newRow("empty alternative") << s(u"x*|b") << "g" << s(u"ab") << s(u"-") << s(u"-a-b-");
    QTest::newRow("groups swapped") << s(u"(\\w+) (\\w+)") << "g" << s(u"hello world") << s(u"$2 $1")
                                    << s(u"world hello");
    QTest::newRow("unset group is empty") << s(u"(a)|(b)") << "g" << s(u"ab") << s(u"[$1$2]")
                                          << s(u"[a][b]");
    QTest::newRow("whole match, left and right") << s(u"b") << "g" << s(u"abc") << s(u"[$`|$&|$']")
                                                 << s(u"a[a|b|c]c");
    QTest::newRow("whole subject") << s(u"b") << "g" << s(u"abc") << s(u"<$_>") << s(u"a<abc>c");
    QTest::newRow("highest group") << s(u"(a)(b)?") << "g" << s(u"ab a") << s(u"[$+]")
                                   << s(u"[b] []");
    QTest::newRow("dollar signs") << s(u"b") << "g" << s(u"abc") << s(u"$$|$|$x") << s(u"a$|$|$xc");
    QTest::newRow("case-insensitive") << s(u"\x00e9") << "gi" << s(u"\x00c9t\x00e9") << s(u"e")
                                      << s(u"ete");
    QTest::newRow("surrogate pairs kept whole") << s(u"x") << "g" << s(u"\xd83d\xde00x\xd83d\xde00")
                                                << s(u"y") << s(u"\xd83d\xde00y\xd83d\xde00");
    QTest::newRow("case-insensitive back-reference") << s(u"(\\w)\\1") << "gi" << s(u"aAbB\x00e9\x00c9")
                                                << s(u"$1") << s(u"ab\x00e9\x00c9");
    QTest::newRow("case-insensitive back-reference beyond ASCII") << s(u"(\x00e9)\\1") << "gi"
                                                             << s(u"\x00e9\x00c9") << s(u"$1") << s(u"\x00e9");
    QTest::newRow("first match only, empty at start") << s(u"") << "" << s(u"abc") << s(u"-") << s(u"-abc");
    QTest::newRow("text start without Multiline") << s(u"^") << "g" << s(u"a\nb") << s(u">") << s(u">a\nb");
    QTest::newRow("text end without Multiline") << s(u"$") << "g" << s(u"a\r\n") << s(u"<") << s(u"a\r\n<");
    QTest::newRow("line breaks in the replacement") << s(u" ") << "g" << s(u"a b") << s(u"\r\n")
                                                    << s(u"a\r\nb");
    QTest::newRow("line starts on CR text") << s(u"^") << "gm" << s(u"a\rb\r") << s(u">") << s(u">a\r>b\r>");
    QTest::newRow("lines holding a word") << s(u"^.*river.*$") << "gm" << s(u"a river\r\nno\rriver b\nx")
                                          << s(u"#") << s(u"#\r\nno\r#\nx");
    QTest::newRow("replacements longer than the text") << s(u"a") << "g" << s(u"xaax") << s(u"0123456789")
                                                       << s(u"x01234567890123456789x");
    QTest::newRow("replacement longer than the text at the start") << s(u"^") << "" << s(u"a")
                                                                   << s(u"0123456789") << s(u"0123456789a");
    QTest::newRow("plain alternatives") << s(u"apple|river|stone") << "g" << s(u"a river, a stone and an apple")
                                        << s(u"#") << s(u"a #, a # and an #");
    QTest::newRow("match removed at the end") << s(u"b$") << "g" << s(u"aab") << s(u"") << s(u"aa");
    QTest::newRow("whole text removed") << s(u"[\\s\\S]+") << "g" << s(u"abc") << s(u"") << s(u"");
    QTest::newRow("lazy body repeated: an empty iteration takes no more") << s(u"(\?:\\s*\?)+") << "g" << s(u"a b")
                                                                         << s(u"[$&]") << s(u"[]a[ ][]b[]");
}

void tst_Replace::replace()
{
    QFETCH(QString, pattern);
    QFETCH(QString, flags);
    QFETCH(QString, text);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    RegExp re(pattern);
    re.setGlobal(flags.contains(u'g'));
    re.setIgnoreCase(flags.contains(u'i'));
    re.setMultiline(flags.contains(u'm'));
    const auto result = re.Replace(text, replacement);
    QVERIFY2(result, result ? "" : qPrintable(result.error().Description));
    QCOMPARE(result.value(), expected);
    const auto utf8 = re.ReplaceToUtf8(text, replacement);
    QVERIFY(utf8);
    QCOMPARE(utf8.value(), expected.toUtf8());
    re.setJitEnabled(false);
    const auto interpreted = re.Replace(text, replacement);
    QVERIFY(interpreted);
    QCOMPARE(interpreted.value(), expected);
}

void tst_Replace::resultGrowsPastTheTextLength()
{
    // Every code unit becomes three, so the room reserved for a result as long as the text
    // must grow several times while the matches are replaced.
    const QString text = QString(5000, u'a') + u'\n' + QString(5000, u'b');
    RegExp re(u"[ab]"_qs);
    re.setGlobal(true);
    const auto result = re.Replace(text, u"<$&>"_qs);
    QVERIFY(result);
    QCOMPARE(result->size(), 3 * text.size() - 2);
    QCOMPARE(result->left(6), u"<a><a>"_qs);
    QCOMPARE(result->mid(3 * 5000, 4), u"\n<b>"_qs);
    QCOMPARE(result->right(3), u"<b>"_qs);
    QCOMPARE(result->count(u'<'), text.size() - 1);
}

void tst_Replace::utf8ResultOfAnyLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");

    // The result is converted a piece at a time, 65,536 code units or so each.
    const QString pair = u"\U0001F600"_qs;
    QTest::newRow("surrogate pairs across every piece boundary") << (u"a"_qs + pair).repeated(70000) << u"a"_qs << u"bb"_qs;
    QTest::newRow("one replacement longer than a piece") << u"xay"_qs << u"a"_qs << pair.repeated(40000);
    QTest::newRow("text after the last match longer than a piece") << u"a"_qs + pair.repeated(70000) << u"a"_qs << u"b"_qs;
    QTest::newRow("no match") << pair.repeated(70000) << u"z"_qs << u"b"_qs;
}

void tst_Replace::utf8ResultOfAnyLength()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    RegExp re(pattern);
    re.setGlobal(true);
    const auto result = re.ReplaceToUtf8(text, replacement);
    QVERIFY(result);
    QCOMPARE(result.value(), re.Replace(text, replacement).value().toUtf8());
}

void tst_Replace::noMatchGivesTextBack()
{
    RegExp re(u"z"_qs);
    re.setGlobal(true);
    const QString text = u"abc"_qs;
    const auto result = re.Replace(text, u"$&$&"_qs);
    QVERIFY(result);
    QCOMPARE(result.value(), text);
    QVERIFY(result.value().isSharedWith(text));
}

void tst_Replace::resultLengthGuard()
{
    RegExp re(u"a"_qs);
    re.setGlobal(true);
    QCOMPARE(re.maxResultLength(), qsizetype(INT32_MAX));
    re.setMaxResultLength(6);
    const auto fits = re.Replace(u"aaa"_qs, u"bb"_qs);
    QVERIFY(fits);
    QCOMPARE(fits.value(), u"bbbbbb"_qs);

    const auto growing = re.Replace(u"aaaa"_qs, u"bb"_qs);
    QVERIFY(!growing);
    QCOMPARE(growing.error().Number, RegExpError::ResultTooLong);
    QVERIFY(growing.error().Description.contains(u"too long"));

    // The text after the last match counts too.
    const auto tail = re.Replace(u"aaaxxxx"_qs, u"b"_qs);
    QVERIFY(!tail);
    QCOMPARE(tail.error().Number, RegExpError::ResultTooLong);

    // Whole-subject copies are counted before they are made.
    re.setMaxResultLength(1000);
    const auto subject = re.Replace(QString(100, u'a'), u"$_"_qs);
    QVERIFY(!subject);
    QCOMPARE(subject.error().Number, RegExpError::ResultTooLong);
}

QTEST_GUILESS_MAIN(tst_Replace)
#include "tst_replace.moc"
