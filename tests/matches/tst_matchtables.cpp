// The Matches window's tables without a window: line numbers, cell texts, and rows worked
// out on demand from the match collection.

#include "SearchedMatches.h"
#include "matches/CellText.h"
#include "matches/LineIndex.h"
#include "matches/MatchTableModel.h"
#include "matches/ReplacePreviewModel.h"

#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>

using namespace Qt::StringLiterals;

namespace {

QStringList row(const QAbstractItemModel& model, int r)
{
    QStringList cells;
    for (int c = 0; c < model.columnCount(); ++c)
        cells.append(model.data(model.index(r, c)).toString());
    return cells;
}

QStringList headers(const QAbstractItemModel& model)
{
    QStringList titles;
    for (int c = 0; c < model.columnCount(); ++c)
        titles.append(model.headerData(c, Qt::Horizontal).toString());
    return titles;
}

} // namespace

class tst_MatchTables : public QObject {
    Q_OBJECT

    QThreadPool mPool;

private slots:
    void place_data();
    void place();
    void placeAgreesWithCountingFromTheStart_data();
    void placeAgreesWithCountingFromTheStart();
    void cellText_data();
    void cellText();
    void matchTable();
    void replacePreviewTable();
    void replacePreviewOfARange();
};

void tst_MatchTables::place_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");

    QTest::newRow("start of the text") << u"ab"_s << 0 << 1 << 1;
    QTest::newRow("end of the text") << u"ab\r\ncd"_s << 6 << 2 << 3;
    QTest::newRow("after CR LF") << u"ab\r\ncd"_s << 4 << 2 << 1;
    QTest::newRow("the LF of CR LF belongs to the line it ends") << u"ab\r\ncd"_s << 3 << 1 << 4;
    QTest::newRow("lone LF") << u"a\nb"_s << 2 << 2 << 1;
    QTest::newRow("lone CR") << u"a\rb"_s << 2 << 2 << 1;
    QTest::newRow("a CR at the very end ends a line") << u"a\r"_s << 2 << 2 << 1;
    QTest::newRow("LF CR is two breaks") << u"a\n\rb"_s << 3 << 3 << 1;
    QTest::newRow("columns count UTF-16 code units") << u"\U0001F600x"_s << 2 << 1 << 3;
    QTest::newRow("empty text") << QString() << 0 << 1 << 1;
}

void tst_MatchTables::place()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(int, line);
    QFETCH(int, column);
    QCOMPARE(LineIndex::build(text)->place(position), (TextPlace{line, column}));
}

void tst_MatchTables::placeAgreesWithCountingFromTheStart_data()
{
    QTest::addColumn<QString>("text");

    QString mixed;
    for (int i = 0; i < 3000; ++i)
        mixed += i % 3 == 0 ? u"x\r\n"_s : i % 3 == 1 ? u"\r"_s : u"yz\n"_s;
    QTest::newRow("every kind of break over many blocks") << mixed;
    QTest::newRow("a CR that ends the text ends a block") << QString(4095, u'x') + u"\r"_s;
    QTest::newRow("CR LF across the end of a block") << QString(4095, u'x') + u"\r\ny"_s;
}

// The index keeps a line per block of the text (a few thousand code units): every position,
// also where a block starts inside CR LF, gets the place a walk from the start gives.
void tst_MatchTables::placeAgreesWithCountingFromTheStart()
{
    QFETCH(QString, text);
    const std::shared_ptr<const LineIndex> index = LineIndex::build(text);
    TextPlace walked;
    for (qsizetype p = 0; p <= text.size(); ++p) {
        QCOMPARE(index->place(p), walked);
        const bool breaks = p < text.size()
            && (text[p] == u'\n' || (text[p] == u'\r' && (p + 1 == text.size() || text[p + 1] != u'\n')));
        walked = breaks ? TextPlace{walked.line + 1, 1} : TextPlace{walked.line, walked.column + 1};
    }
}

void tst_MatchTables::cellText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("shown");

    QTest::newRow("plain text as it is") << u"a b"_s << 10 << u"a b"_s;
    QTest::newRow("CR LF as one line-break symbol, tab as a symbol") << u"a\r\n\tb"_s << 10 << u"a\u21B5\u2409b"_s;
    QTest::newRow("a lone LF or CR as a line break too") << u"a\nb\rc"_s << 10 << u"a\u21B5b\u21B5c"_s;
    QTest::newRow("other controls and DEL as symbols") << u"\x01\x7f"_s << 10 << u"\u2401\u2421"_s;
    QTest::newRow("cut with an ellipsis") << u"abcdef"_s << 3 << u"abc\u2026"_s;
    QTest::newRow("exactly the limit is not cut") << u"abc"_s << 3 << u"abc"_s;
    QTest::newRow("a character is never cut in half") << u"ab\U0001F600"_s << 3 << u"ab\u2026"_s;
}

void tst_MatchTables::cellText()
{
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(QString, shown);
    QCOMPARE(::cellText(text, limit), shown);
}

void tst_MatchTables::matchTable()
{
    MatchTableModel model(mPool);
    QSignalSpy ready(&model, &MatchTableModel::lineIndexReady);
    model.setMatches(matchesOf(u"(\\w)=(\\d+)?"_s, u"k=1\r\nvv v=\tk=22"_s));
    QCOMPARE(headers(model), (QStringList{u"Match"_s, u"Line"_s, u"Column"_s, u"Index"_s, u"Length"_s, u"Value"_s,
                                          u"$1"_s, u"$2"_s}));
    QCOMPARE(model.rowCount(), 3);
    QVERIFY(ready.wait());
    QCOMPARE(row(model, 0), (QStringList{u"1"_s, u"1"_s, u"1"_s, u"0"_s, u"3"_s, u"k=1"_s, u"k"_s, u"1"_s}));
    QCOMPARE(row(model, 1), (QStringList{u"2"_s, u"2"_s, u"4"_s, u"8"_s, u"2"_s, u"v="_s, u"v"_s, QString()}));
    QCOMPARE(row(model, 2), (QStringList{u"3"_s, u"2"_s, u"7"_s, u"11"_s, u"4"_s, u"k=22"_s, u"k"_s, u"22"_s}));

    // Other matches of the same text start with their lines at hand; of another text, without.
    model.setMatches(matchesOf(u"\\t"_s, u"k=1\r\nvv v=\tk=22"_s));
    QCOMPARE(row(model, 0), (QStringList{u"1"_s, u"2"_s, u"6"_s, u"10"_s, u"1"_s, u"\u2409"_s}));
    model.setMatches(matchesOf(u"b"_s, u"a\nb"_s));
    QCOMPARE(model.data(model.index(0, LineColumn)), QVariant());
    QVERIFY(ready.wait());
    QCOMPARE(model.data(model.index(0, LineColumn)).toInt(), 2);
}

void tst_MatchTables::replacePreviewTable()
{
    ReplacePreviewModel model(mPool);
    QSignalSpy ready(&model, &ReplacePreviewModel::lineIndexReady);
    const QString text = u"ab\ncd "_s + QString(300, u'-');
    model.setPreview(ReplacePreview(matchesOf(u"(\\w)(\\w)|-+"_s, text), u"$2$1$_"_s, CaseConversion::Off));
    QCOMPARE(headers(model), (QStringList{u"Match"_s, u"Line"_s, u"Column"_s, u"Before"_s, u"After"_s}));
    QCOMPARE(model.rowCount(), 3);
    QVERIFY(ready.wait());
    QCOMPARE(row(model, 1).mid(0, 4), (QStringList{u"2"_s, u"2"_s, u"1"_s, u"cd"_s}));
    QVERIFY(model.data(model.index(1, ReplacePreviewModel::AfterColumn)).toString().startsWith(u"dcab\u21B5cd -"_s));
    QCOMPARE(model.data(model.index(2, ReplacePreviewModel::BeforeColumn)).toString(),
             QString(kCellTextLimit, u'-') + QChar(0x2026));
    QCOMPARE(model.data(model.index(2, ReplacePreviewModel::AfterColumn)).toString(), ::cellText(text));
}

// Rows are the replacements inside the range only, numbered from 1.
void tst_MatchTables::replacePreviewOfARange()
{
    ReplacePreviewModel model(mPool);
    model.setPreview(ReplacePreview(matchesOf(u"\\w+"_s, u"a bb ccc dddd"_s), u"X"_s, CaseConversion::Off, TextRange{2, 6}));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.data(model.index(0, NumberColumn)).toString(), u"1"_s);
    QCOMPARE(model.data(model.index(0, ReplacePreviewModel::BeforeColumn)).toString(), u"bb"_s);
    QCOMPARE(model.data(model.index(1, ReplacePreviewModel::BeforeColumn)).toString(), u"ccc"_s);
}

QTEST_GUILESS_MAIN(tst_MatchTables)
#include "tst_matchtables.moc"
