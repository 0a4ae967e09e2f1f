#include "busy/BusyRunner.h"
#include "live/LiveSearch.h"
#include "live/MatchHighlighter.h"
#include "live/PatternFeedback.h"
#include "support/HeldThreads.h"
#include "textex/TextExEditor.h"
#include "textex/Utf16Positions.h"
#include "WindowFixture.h"

#include <Qsci/qsciscintilla.h>

#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QProgressDialog>
#include <QThreadPool>

namespace {

using Sci = QsciScintillaBase;

/// The main window with the pause of the live matching skipped on request.
struct LiveWindow : WindowFixture {
    using WindowFixture::WindowFixture;

    LiveSearch* live() const { return window->findChild<LiveSearch*>(QStringLiteral("liveSearch")); }
    MatchHighlighter* highlighter() const { return document()->findChild<MatchHighlighter*>(); }

    /// Starts what waits for the pause and waits until its run has landed.
    bool landed() const
    {
        live()->runPending();
        return QTest::qWaitFor([this] { return !live()->isBusy(); }, 10'000);
    }

    /// Whether position (UTF-16) of the Search Text carries the match box.
    bool marked(int position) const
    {
        const long bytes = Utf16Positions(*editorOf(*document())).toBytes(position);
        return editorOf(*document())->SendScintilla(Sci::SCI_INDICATORVALUEAT,
                                                 static_cast<unsigned long>(highlighter()->matchIndicator()), bytes)
            != 0;
    }

    /// The next progress dialog is shown at once, and its Cancel is pressed.
    void cancelNextOperation() const
    {
        BusyRunner* busy = window->findChild<BusyRunner*>(QStringLiteral("busyRunner"));
        busy->setDelays(0, 0);
        QObject::connect(busy, &BusyRunner::progressShown, busy,
                         [](QProgressDialog* dialog) { dialog->findChild<QPushButton*>()->click(); },
                         Qt::SingleShotConnection);
    }
};

} // namespace

class tst_WindowLive : public QObject {
    Q_OBJECT
private slots:
    void highlightMatchesItem();
    void matchesAreMarkedWhileTyping();
    void editingTheTextDropsTheMarksAtOnce();
    void switchedOffMarksNothing();
    void switchIsRemembered();
    void patternFeedback_data();
    void patternFeedback();
    void invalidPatternButtonsKeepTheirMessages();
    void cancelledReplaceAllChangesNothing();
    void cancelledSearchChangesNothing();
    void cancelledOpenChangesNothing();
    void cancelledSearchThatCannotStopLeavesTheWindowFree();
    void supersededLiveRunThatCannotStopLeavesTheWindowFree();
    void closingLeavesASearchThatCannotStop_data();
    void closingLeavesASearchThatCannotStop();
    void searchesLeaveQtsThreadPoolFree();
};

void tst_WindowLive::highlightMatchesItem()
{
    LiveWindow f;
    QAction* item = f.item("mnuFormatHighlightMatches");
    QCOMPARE(item->text(), QStringLiteral("&Highlight Matches"));
    QVERIFY(item->isCheckable());
    QVERIFY(item->isChecked());
}

void tst_WindowLive::matchesAreMarkedWhileTyping()
{
    LiveWindow f;
    f.document()->setText(QStringLiteral("cat dog cat"));
    QTest::keyClicks(f.pattern()->lineEdit(), QStringLiteral("cat"));
    QVERIFY(f.landed());
    QVERIFY(f.marked(0));
    QVERIFY(!f.marked(4));
    QVERIFY(f.marked(8));
    QCOMPARE(f.pattern()->toolTip(), QStringLiteral("2 matches"));

    f.ignoreCase()->setCheckState(Qt::Checked);
    f.document()->setText(QStringLiteral("CAT dog"));
    QVERIFY(f.landed());
    QVERIFY(f.marked(0));
    QCOMPARE(f.pattern()->toolTip(), QStringLiteral("1 match"));
    // Typing a pattern searches nothing by itself: no history entry, no selection.
    QCOMPARE(f.history(), QStringList());
    QCOMPARE(f.document()->SelLength(), 0);
}

void tst_WindowLive::editingTheTextDropsTheMarksAtOnce()
{
    LiveWindow f;
    f.prepare(QStringLiteral("cat cat"), QStringLiteral("cat"));
    QVERIFY(f.landed());
    QVERIFY(f.marked(4));
    f.document()->setSelStart(0);
    f.document()->setSelText(QStringLiteral("x"));
    // The marks of the old text would sit one place off now.
    QVERIFY(!f.marked(4));
    QVERIFY(!f.marked(5));
    QVERIFY(f.landed());
    QVERIFY(f.marked(1));
    QVERIFY(f.marked(5));
}

void tst_WindowLive::switchedOffMarksNothing()
{
    LiveWindow f;
    const QString designToolTip = f.pattern()->toolTip();
    f.prepare(QStringLiteral("cat cat"), QStringLiteral("cat"));
    QVERIFY(f.landed());
    f.trigger("mnuFormatHighlightMatches");
    QVERIFY(!f.item("mnuFormatHighlightMatches")->isChecked());
    QVERIFY(!f.marked(0));
    f.pattern()->setEditText(QStringLiteral("ca"));
    QVERIFY(f.landed());
    QVERIFY(!f.marked(0));
    QCOMPARE(f.pattern()->toolTip(), designToolTip);

    f.trigger("mnuFormatHighlightMatches");
    QVERIFY(f.landed());
    QVERIFY(f.marked(0));
}

void tst_WindowLive::switchIsRemembered()
{
    QTemporaryDir programFolder;
    {
        LiveWindow f(programFolder.path());
        f.trigger("mnuFormatHighlightMatches");
        QVERIFY(f.window->close());
    }
    QFile ini(programFolder.filePath(QStringLiteral("Settings.ini")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("HighlightMatches=0"));
    LiveWindow again(programFolder.path());
    QVERIFY(!again.item("mnuFormatHighlightMatches")->isChecked());
}

void tst_WindowLive::patternFeedback_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("tinted");

    QTest::newRow("valid: the count") << "a" << "3 matches" << false;
    QTest::newRow("no match is still valid") << "z" << "0 matches" << false;
    QTest::newRow("missing ')'") << "(a" << "Expected ')' in regular expression" << true;
    QTest::newRow("missing ']'") << "[a" << "Expected ']' in regular expression" << true;
    QTest::newRow("syntax error") << "a)" << "Syntax error in regular expression" << true;
    QTest::newRow("any other error: description and number")
        << "a**" << "Error: Unexpected quantifier 5018" << true;
}

void tst_WindowLive::patternFeedback()
{
    QFETCH(QString, pattern);
    QFETCH(QString, toolTip);
    QFETCH(bool, tinted);

    LiveWindow f;
    const QRect geometry = f.pattern()->geometry();
    f.prepare(QStringLiteral("banana"), pattern);
    QVERIFY(f.landed());
    QCOMPARE(f.pattern()->toolTip(), toolTip);
    QCOMPARE(f.pattern()->lineEdit()->palette().color(QPalette::Base) == PatternFeedback::invalidTint(), tinted);
    QCOMPARE(f.pattern()->geometry(), geometry);
    QCOMPARE(f.messages.shown.size(), 0);
}

void tst_WindowLive::invalidPatternButtonsKeepTheirMessages()
{
    LiveWindow f;
    f.prepare(QStringLiteral("abc"), QStringLiteral("(a"));
    QVERIFY(f.landed());
    f.click("cmdFind");
    QCOMPARE(f.messages.shown.size(), 2);
    QCOMPARE(f.messages.shown.at(0).text, QStringLiteral("Expected ')' in regular expression"));
    QCOMPARE(f.messages.shown.at(1).text, QStringLiteral("No matches found"));
}

void tst_WindowLive::cancelledReplaceAllChangesNothing()
{
    LiveWindow f;
    f.prepare(QStringLiteral("one two"), QStringLiteral("o"));
    f.replaceWith()->setText(QStringLiteral("0"));
    f.click("cmdReplaceAll");
    QCOMPARE(f.document()->Text(), QStringLiteral("0ne tw0"));
    f.window->setDirty(false);

    f.pattern()->setEditText(QStringLiteral("n"));
    f.cancelNextOperation();
    f.click("cmdReplaceAll");
    QCOMPARE(f.document()->Text(), QStringLiteral("0ne tw0"));
    QVERIFY(!f.window->Dirty());
    QCOMPARE(f.messages.shown.size(), 0);
    // Live matching, resting while Replace All ran, marks the text again.
    QVERIFY(f.landed());
    QVERIFY(f.marked(1));
    // The saved text is still the one from before the first Replace All.
    f.click("cmdUndo");
    QCOMPARE(f.document()->Text(), QStringLiteral("one two"));
}

void tst_WindowLive::cancelledSearchChangesNothing()
{
    LiveWindow f;
    f.prepare(QStringLiteral("ab ab"), QStringLiteral("b"), 0, 1);
    f.label("lblMatchNo")->setText(QStringLiteral("before"));
    f.cancelNextOperation();
    f.click("cmdFind");
    QCOMPARE(f.document()->SelStart(), 0);
    QCOMPARE(f.document()->SelLength(), 1);
    QCOMPARE(f.label("lblMatchNo")->text(), QStringLiteral("before"));
    QCOMPARE(f.messages.shown.size(), 0);

    f.document()->setSelStart(0);
    f.cancelNextOperation();
    f.click("cmdReplace");
    QCOMPARE(f.document()->Text(), QStringLiteral("ab ab"));
    QCOMPARE(f.messages.shown.size(), 0);
}

void tst_WindowLive::cancelledOpenChangesNothing()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("other.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("text of the other file");
    file.close();

    LiveWindow f;
    f.document()->setText(QStringLiteral("unsaved edits"));
    const QString caption = f.window->windowTitle();
    f.cancelNextOperation();
    f.window->LoadDocument(path);
    QCOMPARE(f.document()->Text(), QStringLiteral("unsaved edits"));
    QVERIFY(f.window->Dirty());
    QCOMPARE(f.window->windowTitle(), caption);
    QCOMPARE(f.messages.shown.size(), 0);

    f.window->LoadDocument(path);
    QCOMPARE(f.document()->Text(), QStringLiteral("text of the other file"));
    QVERIFY(!f.window->Dirty());
}

void tst_WindowLive::cancelledSearchThatCannotStopLeavesTheWindowFree()
{
    HeldThreads threads;
    LiveWindow f(QString(), &threads);
    f.window->setHighlightMatches(false);
    f.prepare(QStringLiteral("one two one"), QStringLiteral("one"));
    threads.holdNext();
    f.cancelNextOperation();
    f.click("cmdFind");
    // The click has returned while the search it cancelled still runs.
    QCOMPARE(threads.unfinished(), 1);
    QCOMPARE(f.messages.shown.size(), 0);
    f.type(QStringLiteral("x"));
    QCOMPARE(f.document()->Text(), QStringLiteral("xone two one"));
    f.click("cmdFind");
    QCOMPARE(f.label("lblMatchNo")->text(), QStringLiteral("Match 1 of 2"));
    QCOMPARE(threads.unfinished(), 1);
}

void tst_WindowLive::supersededLiveRunThatCannotStopLeavesTheWindowFree()
{
    HeldThreads threads;
    LiveWindow f(QString(), &threads);
    f.prepare(QStringLiteral("aaa b"), QStringLiteral("a"));
    threads.holdNext();
    f.live()->runPending();
    f.pattern()->setEditText(QStringLiteral("b"));
    f.live()->runPending();
    QTRY_COMPARE_WITH_TIMEOUT(f.live()->status().matchCount, qsizetype(1), 2000);
    QVERIFY(f.marked(4));
    QCOMPARE(threads.unfinished(), 1);
}

void tst_WindowLive::closingLeavesASearchThatCannotStop_data()
{
    QTest::addColumn<bool>("liveRun");
    QTest::newRow("live run") << true;
    QTest::newRow("Find Next, close box while it runs") << false;
}

void tst_WindowLive::closingLeavesASearchThatCannotStop()
{
    QFETCH(bool, liveRun);
    HeldThreads threads;
    LiveWindow f(QString(), &threads);
    f.window->setHighlightMatches(liveRun);
    f.prepare(QStringLiteral("one two"), QStringLiteral("o"));
    f.window->setDirty(false);
    threads.holdNext();
    if (liveRun) {
        f.live()->runPending();
        QVERIFY(f.window->close());
    } else {
        BusyRunner* busy = f.window->findChild<BusyRunner*>(QStringLiteral("busyRunner"));
        busy->setDelays(0, 0);
        QObject::connect(busy, &BusyRunner::progressShown, busy, [&f] { f.window->close(); },
                         Qt::SingleShotConnection);
        f.click("cmdFind");
    }
    QVERIFY(!f.window->isVisible());
    f.window.reset();
    QCOMPARE(threads.unfinished(), 1);
}

void tst_WindowLive::searchesLeaveQtsThreadPoolFree()
{
    // Qt paints with the help of its global pool: a long search that held a thread of it
    // would hold up the window.
    LiveWindow f;
    // One line: the search for the b that ends every match tries every start position of it.
    f.document()->setText((QString(18, u'a') + QStringLiteral("c ")).repeated(2000) + QStringLiteral("ab"));
    f.pattern()->setEditText(QStringLiteral("(a+)+b"));
    // Painting the window may have handed work to the pool; it is done before the run starts,
    // and nothing paints until the run is checked.
    QVERIFY(QThreadPool::globalInstance()->waitForDone(10'000));
    f.live()->runPending();
    QVERIFY(f.live()->isBusy());
    QCOMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
    QVERIFY(f.landed());

    int globalThreads = -1;
    BusyRunner* busy = f.window->findChild<BusyRunner*>(QStringLiteral("busyRunner"));
    busy->setDelays(0, 0);
    QObject::connect(
        busy, &BusyRunner::progressShown, busy,
        [&](QProgressDialog* dialog) {
            globalThreads = QThreadPool::globalInstance()->activeThreadCount();
            dialog->findChild<QPushButton*>()->click();
        },
        Qt::SingleShotConnection);
    f.click("cmdFind");
    QCOMPARE(globalThreads, 0);
    QCOMPARE(f.messages.shown.size(), 0);
}

QTEST_MAIN(tst_WindowLive)
#include "tst_windowlive.moc"
