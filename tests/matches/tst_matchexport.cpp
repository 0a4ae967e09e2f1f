// What leaves the Matches window: copied rows, CSV and JSON Lines files, and the commands
// that write them.

#include "SearchedMatches.h"
#include "matches/MatchesCommands.h"
#include "matches/MatchesWindow.h"
#include "matches/MatchExport.h"
#include "matches/MatchTableModel.h"
#include "support/FileContent.h"
#include "support/RecordingMessageBox.h"
#include "support/ScriptedFileDialog.h"

#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

using namespace Qt::StringLiterals;

namespace {

/// The Matches window without widgets: long steps run at once, the clipboard is a string.
class FakeMatchesWindow final : public IMatchesWindow {
public:
    QString clipboard;
    QStringList busyLabels;
    /// The user cancels the next long step.
    bool cancelNext = false;

    bool runBusy(const QString& sLabel, const std::function<void(const std::atomic_bool&)>& work) override
    {
        busyLabels.append(sLabel);
        const std::atomic_bool cancel = std::exchange(cancelNext, false);
        work(cancel);
        return !cancel;
    }
    void setClipboardText(const QString& sText) override { clipboard = sText; }
};

} // namespace

class tst_MatchExport : public QObject {
    Q_OBJECT

    QThreadPool mPool;

private slots:
    void formats_data();
    void formats();
    void fileWrittenInPieces_data();
    void fileWrittenInPieces();
    void copy();
    void exportCommand_data();
    void exportCommand();
};

void tst_MatchExport::formats_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("CSV: titles, then a line per match")
        << u"(\\w)(\\d)?"_s << u"a1 b"_s << u"csv"_s
        << QByteArray("Match,Line,Column,Index,Length,Value,$1,$2\r\n1,1,1,0,2,a1,a,1\r\n2,1,4,3,1,b,b,\r\n");
    QTest::newRow("CSV: commas, quotes and line breaks quoted")
        << u"[^;]+"_s << u"x,\"y\";a\r\nb"_s << u"csv"_s
        << QByteArray("Match,Line,Column,Index,Length,Value\r\n1,1,1,0,5,\"x,\"\"y\"\"\"\r\n2,1,7,6,4,\"a\r\nb\"\r\n");
    QTest::newRow("CSV: UTF-8") << u"."_s << u"\u00e9"_s << u"csv"_s
                                << QByteArray("Match,Line,Column,Index,Length,Value\r\n1,1,1,0,1,\xC3\xA9\r\n");
    QTest::newRow("JSON Lines: the fields of sifta-cli matches")
        << u"(\\w)(\\d)?"_s << u"a1\nb"_s << u"jsonl"_s
        << QByteArray("{\"index\":0,\"line\":1,\"column\":1,\"length\":2,\"value\":\"a1\",\"submatches\":[\"a\",\"1\"]}\n"
                      "{\"index\":3,\"line\":2,\"column\":1,\"length\":1,\"value\":\"b\",\"submatches\":[\"b\",\"\"]}\n");
    QTest::newRow("JSON Lines: a lone surrogate escaped")
        << u"."_s << QString(QChar(0xD800)) << u"jsonl"_s
        << QByteArray("{\"index\":0,\"line\":1,\"column\":1,\"length\":1,\"value\":\"\\ud800\",\"submatches\":[]}\n");
    QTest::newRow("copied rows: tab-separated, a tab quoted, no titles")
        << u"[^;]+"_s << u"a\tb;c"_s << u"tsv"_s << QByteArray("1\t1\t1\t0\t3\t\"a\tb\"\n2\t1\t5\t4\t1\tc\n");
    QTest::newRow("copied rows: only the selected ones")
        << u"\\w"_s << u"abc"_s << u"tsv without the second row"_s << QByteArray("1\t1\t1\t0\t1\ta\n3\t1\t3\t2\t1\tc\n");
}

void tst_MatchExport::formats()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(QString, format);
    QFETCH(QByteArray, expected);

    const MatchCollection matches = matchesOf(pattern, text);
    const std::shared_ptr<const LineIndex> lines = LineIndex::build(text);
    QByteArray written;
    const auto collect = [&written](QByteArrayView chunk) {
        written += chunk;
        return 0;
    };
    if (format == u"csv")
        QCOMPARE(writeMatchFile(MatchFileFormat::Csv, matches, *lines, collect), 0);
    else if (format == u"jsonl")
        QCOMPARE(writeMatchFile(MatchFileFormat::JsonLines, matches, *lines, collect), 0);
    else if (format == u"tsv")
        written = tabSeparatedRows(matches, *lines, {{0, matches.Count() - 1}}).toUtf8();
    else
        written = tabSeparatedRows(matches, *lines, {{0, 0}, {2, 2}}).toUtf8();
    QCOMPARE(written, expected);
}

void tst_MatchExport::fileWrittenInPieces_data()
{
    QTest::addColumn<int>("failingPiece");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("pieces");

    QTest::newRow("every match, a megabyte or so at a time") << -1 << false << 0 << 5;
    QTest::newRow("a piece that cannot be written stops the rest") << 1 << false << ENOSPC << 2;
    QTest::newRow("cancelled: nothing is handed on") << -1 << true << ECANCELED << 0;
}

void tst_MatchExport::fileWrittenInPieces()
{
    QFETCH(int, failingPiece);
    QFETCH(bool, cancelled);
    QFETCH(int, result);
    QFETCH(int, pieces);

    const QString text(60000, u'a');
    const MatchCollection matches = matchesOf(u"a"_s, text);
    const std::shared_ptr<const LineIndex> lines = LineIndex::build(text);
    QList<qsizetype> sizes;
    QByteArray written;
    const std::atomic_bool cancel = cancelled;
    const int error = writeMatchFile(MatchFileFormat::JsonLines, matches, *lines, [&](QByteArrayView chunk) {
        sizes.append(chunk.size());
        written += chunk;
        return sizes.size() - 1 == failingPiece ? ENOSPC : 0;
    }, &cancel);

    QCOMPARE(error, result);
    QCOMPARE(sizes.size(), pieces);
    for (const qsizetype size : sizes)
        QVERIFY2(size <= (qsizetype(1) << 20) + 200, qPrintable(QString::number(size)));
    if (result == 0) {
        QCOMPARE(written.count('\n'), text.size());
        QVERIFY(written.endsWith("\"index\":59999,\"line\":1,\"column\":60000,\"length\":1,\"value\":\"a\",\"submatches\":[]}\n"));
    }
}

void tst_MatchExport::copy()
{
    FakeMatchesWindow window;
    RecordingMessageBox messages;
    ScriptedFileDialog dialogs;
    MatchesCommands commands(window, messages, dialogs);
    MatchTableModel table(mPool);
    table.setMatches(matchesOf(u"\\d+"_s, u"1\n22\n333"_s));

    commands.Copy(table, {});
    QCOMPARE(window.busyLabels, QStringList());
    commands.Copy(table, {{1, 2}});
    QCOMPARE(window.clipboard, u"2\t2\t1\t2\t2\t22\n3\t3\t1\t5\t3\t333\n"_s);
    window.clipboard = u"before"_s;
    window.cancelNext = true;
    commands.Copy(table, {{0, 0}});
    QCOMPARE(window.clipboard, u"before"_s);
    QCOMPARE(window.busyLabels, (QStringList{u"Copying..."_s, u"Copying..."_s}));
}

void tst_MatchExport::exportCommand_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("cancelBusy");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("messages");

    const QByteArray csv("Match,Line,Column,Index,Length,Value\r\n1,2,1,2,1,b\r\n");
    QTest::newRow("written whole, over an older file") << u"matches.csv"_s << false << csv << QStringList();
    QTest::newRow("the filter's extension completes the name") << u"matches"_s << false << csv << QStringList();
    QTest::newRow("dialog cancelled: nothing written") << QString() << false << QByteArray("older") << QStringList();
    QTest::newRow("export cancelled: the older file stays")
        << u"matches.csv"_s << true << QByteArray("older") << QStringList();
    QTest::newRow("a folder that is not there: the system's message")
        << u"missing/matches.csv"_s << false << QByteArray("older") << QStringList{u"No such file or directory 2"_s};
}

void tst_MatchExport::exportCommand()
{
    QFETCH(QString, chosen);
    QFETCH(bool, cancelBusy);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, messages);

    QTemporaryDir dir;
    const QString file = dir.filePath(u"matches.csv"_s);
    QVERIFY(FileContent::write(file, "older"));
    FakeMatchesWindow window;
    RecordingMessageBox shown;
    ScriptedFileDialog dialogs;
    if (chosen.isEmpty())
        dialogs.cancel();
    else
        dialogs.choose(dir.filePath(chosen));
    window.cancelNext = cancelBusy;
    MatchesCommands commands(window, shown, dialogs);
    MatchTableModel table(mPool);
    table.setMatches(matchesOf(u"b"_s, u"a\rb"_s));

    commands.Export(table, MatchFileFormat::Csv);
    QCOMPARE(dialogs.requests.size(), 1);
    QVERIFY(dialogs.requests.first().save);
    QCOMPARE(dialogs.requests.first().nameFilters.first(), u"CSV Files (*.csv)"_s);
    QCOMPARE(FileContent::read(file), content);
    QCOMPARE(shown.texts(), messages);
    if (!messages.isEmpty())
        QCOMPARE(shown.shown.first().icon, MessageIcon::Exclamation);
}

QTEST_GUILESS_MAIN(tst_MatchExport)
#include "tst_matchexport.moc"
