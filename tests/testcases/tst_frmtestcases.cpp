#include "testcases/frmTestCases.h"

#include "support/FileContent.h"
#include "support/HeldThreads.h"
#include "support/RecordingMessageBox.h"
#include "support/ScriptedFileDialog.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct TestCasesWindow {
    HeldThreads threads;
    ScriptedFileDialog dialogs;
    RecordingMessageBox messages;
    frmTestCases window{threads, dialogs, messages};

    QString result(int row) const
    {
        return window.findChild<QTableWidget*>(u"tblCases"_s)->item(row, 2)->text();
    }
    void click(const QString& name) { window.findChild<QPushButton*>(name)->click(); }
};

const std::vector<TestCase> kCases{{u"apple"_s, Expectation::Match, {}},
                                   {u"kiwi"_s, Expectation::NoMatch, {}},
                                   {u"a b"_s, Expectation::ReplaceGives, u"[a] [b]"_s}};

} // namespace

class tst_frmTestCases : public QObject {
    Q_OBJECT

private slots:
    void checksAgainAsTheSearchChanges();
    void editsTheCurrentCase();
    void savesAndOpens();
    void openReportsABadFile_data();
    void openReportsABadFile();
};

void tst_frmTestCases::checksAgainAsTheSearchChanges()
{
    TestCasesWindow f;
    f.window.setCases(kCases);
    f.window.setSearch(u"\\w"_s, false, u"[$&]"_s, false);
    QTRY_COMPARE(f.window.summary(), u"2 of 3 pass"_s);
    QCOMPARE(f.result(0), u"pass"_s);
    QCOMPARE(f.result(1), u"fail: expected no match, got a match at 0: \"k\""_s);
    f.window.setSearch(u"[ab]"_s, false, u"[$&]"_s, false);
    QTRY_COMPARE(f.window.summary(), u"3 of 3 pass"_s);
    f.window.setSearch(u"[AB]"_s, false, u"[$&]"_s, false);
    QTRY_COMPARE(f.window.summary(), u"1 of 3 pass"_s);
    f.window.setSearch(u"[AB]"_s, true, u"[$&]"_s, false);
    QTRY_COMPARE(f.window.summary(), u"3 of 3 pass"_s);
    f.window.setSearch(u"(a"_s, true, u"[$&]"_s, false);
    QTRY_COMPARE(f.window.summary(), u"Expected ')' in regular expression"_s);
}

void tst_frmTestCases::editsTheCurrentCase()
{
    TestCasesWindow f;
    f.window.setSearch(u"b+"_s, false, u"<$&>"_s, false);
    f.click(u"cmdAdd"_s);
    f.window.findChild<QPlainTextEdit*>(u"txtSample"_s)->setPlainText(u"abba"_s);
    f.window.findChild<QComboBox*>(u"cboExpect"_s)->setCurrentIndex(int(Expectation::ReplaceGives));
    f.window.findChild<QPlainTextEdit*>(u"txtExpected"_s)->setPlainText(u"a<bb>a"_s);
    QCOMPARE(f.window.suite().cases, (std::vector<TestCase>{{u"abba"_s, Expectation::ReplaceGives, u"a<bb>a"_s}}));
    QTRY_COMPARE(f.window.summary(), u"1 of 1 pass"_s);
    f.click(u"cmdRemove"_s);
    QVERIFY(f.window.suite().cases.empty());
    QTRY_COMPARE(f.window.summary(), u"0 of 0 pass"_s);
}

void tst_frmTestCases::savesAndOpens()
{
    QTemporaryDir folder;
    TestCasesWindow saved;
    saved.window.setSearch(u"(\\w)"_s, true, u"\\u$1"_s, true);
    saved.window.setCases(kCases);
    saved.dialogs.choose(folder.filePath(u"fruit"_s));
    saved.click(u"cmdSave"_s);
    QVERIFY(saved.messages.shown.isEmpty());

    TestCasesWindow opened;
    QSignalSpy suiteOpened(&opened.window, &frmTestCases::suiteOpened);
    opened.dialogs.choose(folder.filePath(u"fruit.json"_s));
    opened.click(u"cmdOpen"_s);
    QCOMPARE(opened.window.suite(), saved.window.suite());
    QCOMPARE(suiteOpened.size(), 1);
    QCOMPARE(suiteOpened.front().front().value<TestSuite>(), saved.window.suite());
}

void tst_frmTestCases::openReportsABadFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    QTest::newRow("newer version") << R"({"format":"sifta-test-cases","version":2})"_ba
                                   << u"cases.json holds no test cases that Sifta can read: "
                                      u"version 2 is newer than this Sifta reads (1)"_s;
    QTest::newRow("no file") << QByteArray() << u"No such file or directory 2"_s;
}

void tst_frmTestCases::openReportsABadFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"cases.json"_s);
    if (!content.isEmpty())
        QVERIFY(FileContent::write(path, content));
    TestCasesWindow f;
    f.window.setCases(kCases);
    f.dialogs.choose(path);
    f.click(u"cmdOpen"_s);
    QCOMPARE(f.messages.texts(), QStringList{message});
    QCOMPARE(f.window.suite().cases, kCases);
}

QTEST_MAIN(tst_frmTestCases)
#include "tst_frmtestcases.moc"
