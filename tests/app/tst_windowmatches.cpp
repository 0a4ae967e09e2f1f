// Every match through the real window: the live count beside the status line, the notice of
// a search that went around the text, the Matches window and the preview of Replace All.

#include "DocumentWindowFixture.h"
#include "window/StatusLine.h"
#include "live/LiveSearch.h"
#include "live/MatchHighlighter.h"
#include "matches/frmMatches.h"
#include "matches/frmReplacePreview.h"
#include "matches/MatchTableModel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

/// The main window with scripted file dialogs, waiting for the live matching on request.
struct MatchesFixture : DocumentWindowFixture {
    LiveSearch* live() const { return window->findChild<LiveSearch*>(u"liveSearch"_s); }
    frmMatches* matchesWindow() const { return window->findChild<frmMatches*>(u"frmMatches"_s); }
    QTableView* table() const { return matchesWindow()->findChild<QTableView*>(u"tblMatches"_s); }
    QString count() const { return label("lblMatchCount")->text(); }

    /// Puts text in the document, sets the pattern and waits until its matches have landed.
    bool search(const QString& text, const QString& patternText)
    {
        document()->setText(text);
        pattern()->setEditText(patternText);
        live()->runPending();
        return QTest::qWaitFor([this] { return !live()->isBusy(); }, 10'000);
    }

    /// Double-clicks row of the Matches window's table.
    void activate(int row) const
    {
        QTableView* view = table();
        const QPoint cell = view->visualRect(view->model()->index(row, 0)).center();
        // The view takes a double-click only on the row the first click pressed.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
    }
};

} // namespace

class tst_WindowMatches : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void liveCount_data();
    void liveCount();
    void wrapNotice();
    void longLineNotice_data();
    void longLineNotice();
    void matchesWindowFollowsTheLiveMatching();
    void doubleClickSelectsTheMatch();
    void copyAndExport();
    void matchesWindowIsRemembered();
    void previewReplaceAll_data();
    void previewReplaceAll();
    void menuKeysAreUnique();

private:
    std::unique_ptr<MatchesFixture> f;
};

void tst_WindowMatches::init()
{
    f = std::make_unique<MatchesFixture>();
    QVERIFY(f->openWindow());
}

void tst_WindowMatches::cleanup()
{
    f.reset();
}

void tst_WindowMatches::liveCount_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("count");

    QTest::newRow("several matches") << u"a"_s << u"3 matches"_s;
    QTest::newRow("one match") << u"b"_s << u"1 match"_s;
    QTest::newRow("no match") << u"z"_s << u"0 matches"_s;
    QTest::newRow("an invalid pattern: the error") << u"(a"_s << u"Expected ')' in regular expression"_s;
    QTest::newRow("no pattern: nothing") << QString() << QString();
}

// The count shows without hovering, beside the status line's text and clear of it, and the
// labels of a search keep what the last search wrote.
void tst_WindowMatches::liveCount()
{
    QFETCH(QString, pattern);
    QFETCH(QString, count);

    QVERIFY(f->search(u"a ab a"_s, pattern));
    QCOMPARE(f->count(), count);
    QCOMPARE(f->messages.texts(), QStringList());
    QCOMPARE(f->label("lblMatchNo")->text(), QString());
    QVERIFY(f->label("lblCursor")->text().startsWith(u"Line: 1    Col: 1    Len: 6"_s));
    const QLabel* cursor = f->label("lblCursor");
    const int statusText = cursor->geometry().right() - cursor->fontMetrics().horizontalAdvance(cursor->text());
    QVERIFY(f->label("lblMatchCount")->geometry().right() < statusText);
    QVERIFY(f->label("lblMatchCount")->geometry().left() > f->label("lblSearchText")->geometry().right());
}

void tst_WindowMatches::wrapNotice()
{
    QVERIFY(f->search(u"a a"_s, u"a"_s));
    f->click("cmdFind");
    QCOMPARE(f->count(), u"2 matches"_s);
    f->click("cmdFind");
    f->click("cmdFind");
    QCOMPARE(f->label("lblMatchNo")->text(), u"Match 1 of 2"_s);
    QCOMPARE(f->count(), u"Wrapped around to the start"_s);
    f->click("cmdFindPrev");
    QCOMPARE(f->count(), u"Wrapped around to the end"_s);
    QCOMPARE(f->messages.texts(), QStringList());

    // The notice lasts a few seconds, then the count is back.
    f->window->findChild<QTimer*>(u"noticeTimer"_s)->start(0);
    QTRY_COMPARE(f->count(), u"2 matches"_s);
}

void tst_WindowMatches::longLineNotice_data()
{
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("noticed");
    QTest::newRow("lines that stay short") << u"\r\n"_s << false;
    QTest::newRow("one line longer than the editor shows quickly") << QString() << true;
}

// A text with a line the editor is slow to lay out says so where the count is, and the count
// comes back after a while.
void tst_WindowMatches::longLineNotice()
{
    QFETCH(QString, replacement);
    QFETCH(bool, noticed);
    f->document()->setSlowLineLength(4);
    QVERIFY(f->search(u"abc\r\ndef"_s, u"\r\n"_s));
    f->replaceWith()->setText(replacement);
    f->click("cmdReplaceAll");
    const QLabel* count = f->label("lblMatchCount");
    QCOMPARE((count->toolTip().isEmpty() ? count->text() : count->toolTip()) == longLineNoticeText(6), noticed);
    QCOMPARE(f->messages.texts(), QStringList());

    f->window->findChild<QTimer*>(u"noticeTimer"_s)->start(0);
    QTRY_COMPARE(f->count(), noticed ? u"0 matches"_s : u"1 match"_s);
}

void tst_WindowMatches::matchesWindowFollowsTheLiveMatching()
{
    f->trigger("mnuFormatHighlightMatches");
    QVERIFY(!f->live()->isEnabled());
    QVERIFY(f->search(u"k=1 v=2"_s, u"(\\w)=(\\d)"_s));
    QVERIFY(!f->matchesWindow());

    // The window's own key works from the Search Text, whose editor has keys of its own.
    QTest::keyClick(f->document()->hwnd(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(f->matchesWindow()->isVisible());
    QVERIFY(f->item("mnuToolsMatchesWindow")->isChecked());
    QVERIFY(f->live()->isEnabled());
    QVERIFY(f->search(u"k=1 v=2 x=3"_s, u"(\\w)=(\\d)"_s));
    const QAbstractItemModel* model = f->table()->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->columnCount(), 8);
    QCOMPARE(f->matchesWindow()->findChild<QLabel*>(u"lblCount"_s)->text(), u"3 matches"_s);
    // Highlighting stays off: the matches are listed, not marked.
    const MatchHighlighter* highlighter = f->document()->findChild<MatchHighlighter*>();
    QVERIFY(highlighter);
    QVERIFY(highlighter->shownRanges().empty());

    QVERIFY(f->search(u"k=1 v=2 x=3"_s, u"(\\w="_s));
    QCOMPARE(model->rowCount(), 0);
    QCOMPARE(f->matchesWindow()->findChild<QLabel*>(u"lblCount"_s)->text(), u"Expected ')' in regular expression"_s);

    f->matchesWindow()->close();
    QVERIFY(!f->item("mnuToolsMatchesWindow")->isChecked());
    QVERIFY(!f->live()->isEnabled());
}

void tst_WindowMatches::doubleClickSelectsTheMatch()
{
    f->trigger("mnuToolsMatchesWindow");
    QVERIFY(f->search(u"k=1\r\nv=2"_s, u"(\\w)=(\\d)"_s));
    f->activate(1);
    QCOMPARE(f->document()->SelStart(), 5);
    QCOMPARE(f->document()->SelLength(), 3);
    QCOMPARE(f->label("lblMatchNo")->text(), u"Match 2 of 2"_s);
    QCOMPARE(f->label("lblSubMatches")->text(), u"Sub-Matches (2)"_s);
    QCOMPARE(f->subMatches()->text(), u"v\r\n2\r\n"_s);
    QCOMPARE(f->history(), QStringList{u"(\\w)=(\\d)"_s});
}

void tst_WindowMatches::copyAndExport()
{
    f->trigger("mnuToolsMatchesWindow");
    QVERIFY(f->search(u"a1 b2\nc3"_s, u"\\w\\d"_s));
    QTableView* view = f->table();
    QTRY_VERIFY(f->matchesWindow()->table().lineIndex());
    view->selectRow(0);
    view->selectionModel()->select(view->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"1\t1\t1\t0\t2\ta1\n3\t2\t1\t6\t2\tc3\n"_s);

    f->dialogs.choose(f->path(u"all.jsonl"_s), 1);
    f->matchesWindow()->findChild<QPushButton*>(u"cmdExportJson"_s)->click();
    QCOMPARE(f->contentOf(u"all.jsonl"_s).count('\n'), 3);
    QVERIFY(f->contentOf(u"all.jsonl"_s).startsWith(R"({"index":0,"line":1,"column":1,"length":2,"value":"a1")"));
    QCOMPARE(f->messages.texts(), QStringList());
}

void tst_WindowMatches::matchesWindowIsRemembered()
{
    f->trigger("mnuToolsMatchesWindow");
    f->matchesWindow()->resize(432, 234);
    QVERIFY(f->window->close());
    QVERIFY(f->contentOf(u"Settings.ini"_s).contains("MatchesWindow=-1"));

    QVERIFY(f->openWindow());
    QVERIFY(f->matchesWindow()->isVisible());
    QVERIFY(f->item("mnuToolsMatchesWindow")->isChecked());
    QCOMPARE(f->matchesWindow()->size(), QSize(432, 234));
}

void tst_WindowMatches::previewReplaceAll_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("Replace All: as the button, one Undo takes it back") << true;
    QTest::newRow("Cancel: nothing changes") << false;
}

void tst_WindowMatches::previewReplaceAll()
{
    QFETCH(bool, replace);

    f->replaceWith()->setText(u"$2$1"_s);
    QVERIFY(f->search(u"ab cd"_s, u"(\\w)(\\w)"_s));
    f->trigger("mnuToolsPreviewReplaceAll");
    auto* preview = f->window->findChild<frmReplacePreview*>();
    QVERIFY(preview && preview->isVisible());
    QCOMPARE(preview->windowModality(), Qt::WindowModal);
    QCOMPARE(preview->findChild<QLabel*>(u"lblCount"_s)->text(), u"2 replacements"_s);
    const QAbstractItemModel* model = preview->findChild<QTableView*>(u"tblPreview"_s)->model();
    QCOMPARE(model->data(model->index(1, 3)).toString(), u"cd"_s);
    QCOMPARE(model->data(model->index(1, 4)).toString(), u"dc"_s);
    QCOMPARE(f->document()->Text(), u"ab cd"_s);

    preview->findChild<QPushButton*>(replace ? u"cmdReplaceAll"_s : u"cmdCancel"_s)->click();
    QTRY_VERIFY(!f->window->findChild<frmReplacePreview*>());
    QCOMPARE(f->document()->Text(), replace ? u"ba dc"_s : u"ab cd"_s);
    f->click("cmdUndo");
    QCOMPARE(f->document()->Text(), u"ab cd"_s);
    QCOMPARE(f->messages.texts(), QStringList());
}

// Menus added side by side must not take each other's keys: every access key is unique within
// its menu, and every shortcut within the window.
void tst_WindowMatches::menuKeysAreUnique()
{
    QStringList shortcuts;
    for (const QMenu* menu : f->window->menuBar()->findChildren<QMenu*>()) {
        QStringList keys;
        for (const QAction* action : menu->actions()) {
            const qsizetype amp = action->text().indexOf(u'&');
            if (amp >= 0)
                keys.append(action->text().mid(amp + 1, 1).toUpper());
            for (const QKeySequence& key : action->shortcuts())
                shortcuts.append(key.toString());
        }
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
    }
    QCOMPARE(QSet<QString>(shortcuts.begin(), shortcuts.end()).size(), shortcuts.size());
}

QTEST_MAIN(tst_WindowMatches)
#include "tst_windowmatches.moc"
